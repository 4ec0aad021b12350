// The simulated device library: what a test's set-up makes each call return, the call log,
// and the program's test build opening and closing the library as the dialog comes and goes.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "GuiDriver.h"
#include "SimulatedDevice.h"
#include "device/Brondel.h"

namespace {

using Lines = std::vector<std::string>;

TEST(SimulatedDevice, ReportsTheKeyBoxOfTheSetUp) {
    {
        CSimulatedDevice::Setup setup;
        setup.type = 0x41;
        setup.version = 7;
        setup.hwVersion = 0;
        CSimulatedDevice device(setup);
        CBrondel library;
        EXPECT_NE(library.OpenVelkara(), 0);
        EXPECT_EQ(library.GetUSBType(0), 0x41);
        EXPECT_EQ(library.GetVersion(0), 7);
        EXPECT_EQ(library.GetHWversion(0), 0);
    }
    {
        CSimulatedDevice::Setup setup;
        setup.present = false;
        CSimulatedDevice device(setup);
        CBrondel library;
        EXPECT_EQ(library.OpenVelkara(), 0);
    }
}

// A failing register must read as a failure on the path the program takes for that key box:
// 0 for direct programming, negative for the image write.
TEST(SimulatedDevice, FailingRegisterFailsTheWayItsPathReadsIt) {
    struct Case {
        const char* name;
        int type;
        int hwVersion;
        int failing;
    };
    const Case cases[] = {
        {"direct, type 0x43", 0x43, 0, 0},
        {"direct, type 0x41", 0x41, 0, 0},
        {"direct, other type with hardware version", 0x30, 1, 0},
        {"image, type 0x48", 0x48, 0, -1},
        {"image, type 0x41 with hardware version", 0x41, 1, -1},
        {"image, type 0x42 with hardware version", 0x42, 2, -1},
    };
    for (const Case& c : cases) {
        CSimulatedDevice::Setup setup;
        setup.type = c.type;
        setup.hwVersion = c.hwVersion;
        setup.failRegisters = {3, 40};
        CSimulatedDevice device(setup);
        CBrondel library;
        EXPECT_EQ(library.IOX(0, 3, 9), c.failing) << c.name;
        EXPECT_EQ(library.IOX(0, 40, 0), c.failing) << c.name;
        EXPECT_EQ(library.IOX(0, 4, 0x14), 1) << c.name;
    }

    CSimulatedDevice::Setup chosen;
    chosen.type = 0x48;
    chosen.failRegisters = {5};
    chosen.failResult = -7;
    chosen.ioxResult = 0;  // success on the image path
    CSimulatedDevice device(chosen);
    CBrondel library;
    EXPECT_EQ(library.IOX(0, 5, 1), -7);
    EXPECT_EQ(library.IOX(0, 6, 1), 0);
}

TEST(SimulatedDevice, LogsEveryCallInOrder) {
    CSimulatedDevice::Setup setup;
    setup.type = 0x43;
    CSimulatedDevice device(setup);
    {
        CBrondel library;
        library.OpenVelkara();
        library.GetUSBType(0);
        library.SetLED(0, LED_STATUS, 15);
        library.IOX(0, 8, 48);
        library.IOX(0, 200, -1);
        library.SetLED(0, LED_STATUS, 0);
        library.ResetDevice(0);
        library.CloseVelkara();
    }
    EXPECT_EQ(device.Calls(), (Lines{"CBrondel", "OpenVelkara", "GetUSBType 0", "SetLED 0 3 15",
                                     "IOX 0 8 48", "IOX 0 200 -1", "SetLED 0 3 0", "ResetDevice 0",
                                     "CloseVelkara", "~CBrondel"}));
    EXPECT_EQ(device.IoxWrites(), (std::vector<CSimulatedDevice::Write>{{8, 48}, {200, -1}}));

    device.ClearLog();
    EXPECT_TRUE(device.Calls().empty());
}

TEST(SimulatedDevice, ProgramWithoutKeyBoxLetsTheLibraryGoAtOnce) {
    CSimulatedDevice::Setup setup;
    setup.present = false;
    CSimulatedDevice device(setup);
    gui::Program program(CSimulatedDevice::ProgramPath());
    ASSERT_TRUE(program.Start());
    EXPECT_EQ(device.Calls(), (Lines{"CBrondel", "OpenVelkara", "CloseVelkara", "~CBrondel"}));
    program.Click(IDCANCEL);
    EXPECT_TRUE(program.WaitForExit());
}

TEST(SimulatedDevice, ProgramKeepsAFoundKeyBoxUntilItEnds) {
    CSimulatedDevice::Setup setup;
    setup.type = 0x48;
    CSimulatedDevice device(setup);
    gui::Program program(CSimulatedDevice::ProgramPath());
    ASSERT_TRUE(program.Start());
    EXPECT_EQ(device.Calls(), (Lines{"CBrondel", "OpenVelkara"}));
    program.Click(IDCANCEL);
    ASSERT_TRUE(program.WaitForExit());
    EXPECT_EQ(device.Calls(), (Lines{"CBrondel", "OpenVelkara", "CloseVelkara", "~CBrondel"}));
}

}  // namespace
