// The device library object the main dialog keeps for its whole life: opened once, kept only
// when it finds a key box, and closed before it is deleted.
#pragma once

#include <memory>

#include "device/Brondel.h"

struct CloseDeviceLibrary {
    void operator()(CBrondel* library) const;  // CloseVelkara, then delete
};

using DeviceLibrary = std::unique_ptr<CBrondel, CloseDeviceLibrary>;

// Opens the library. Null when it finds no key box (the object is then closed and deleted at
// once): every write goes over the lock LEDs.
DeviceLibrary OpenDeviceLibrary(std::unique_ptr<CBrondel> library);
