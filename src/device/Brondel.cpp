// The device library as the program ships: it finds no key box, so every write goes over
// the keyboard lock LEDs. The other operations are never reached without a device.
#include "device/Brondel.h"

CBrondel::CBrondel() = default;
CBrondel::~CBrondel() = default;

int CBrondel::OpenVelkara() {
    return 0;
}
int CBrondel::CloseVelkara() {
    return 0;
}
int CBrondel::GetUSBType(int) {
    return 0;
}
int CBrondel::GetVersion(int) {
    return 0;
}
int CBrondel::GetHWversion(int) {
    return 0;
}
int CBrondel::SetLED(int, LED_IDs, int) {
    return 0;
}
int CBrondel::IOX(int, int, int) {
    return 0;
}
int CBrondel::ResetDevice(int) {
    return 0;
}
