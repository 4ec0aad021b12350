#include "device/DeviceLibrary.h"

void CloseDeviceLibrary::operator()(CBrondel* library) const {
    library->CloseVelkara();
    delete library;
}

DeviceLibrary OpenDeviceLibrary(std::unique_ptr<CBrondel> library) {
    DeviceLibrary opened(library.release());
    if (opened->OpenVelkara() == 0)
        opened.reset();
    return opened;
}
