// The key box maker's USB device library: the operations the program calls on it.
// Every method but the constructor is virtual, so tests can stand in for the library.
#pragma once

// The library's LED identifiers. The program lights LED 3 while it programs a key box.
enum LED_IDs : int { LED_STATUS = 3 };

class CBrondel {
public:
    CBrondel();
    virtual ~CBrondel();

    // 0: no usable key box on the bus; nonzero: the library is ready.
    virtual int OpenVelkara();
    virtual int CloseVelkara();

    // The first argument of a device method is the device number (the program uses 0).
    virtual int GetUSBType(int device);    // device type code: 0x41, 0x42, 0x43, 0x48, ...
    virtual int GetVersion(int device);    // firmware version
    virtual int GetHWversion(int device);  // hardware version: zero or nonzero
    virtual int SetLED(int device, LED_IDs led, int value);
    // Writes one register. Direct programming takes 0 as failure; the image write of a
    // type 0x48 key box takes a negative result as failure.
    virtual int IOX(int device, int address, int value);
    virtual int ResetDevice(int device);

    CBrondel(const CBrondel&) = delete;
    CBrondel& operator=(const CBrondel&) = delete;
};
