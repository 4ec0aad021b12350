#include "device/DeviceLibrary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

struct FakeLibrary : CBrondel {
    FakeLibrary(Log& log, int found) : log(log), found(found) {}
    ~FakeLibrary() override { log.push_back("delete"); }
    int OpenVelkara() override {
        log.push_back("OpenVelkara");
        return found;
    }
    int CloseVelkara() override {
        log.push_back("CloseVelkara");
        return 0;
    }
    Log& log;
    int found;
};

// The library object lives as long as the main dialog only when it finds a key box, and it is
// closed before it is deleted on either path.
TEST(DeviceLibrary, IsKeptOnlyWhenItFindsAKeyBoxAndClosedBeforeItIsDeleted) {
    for (int found : {0, 1, -1}) {
        Log log;
        {
            DeviceLibrary library = OpenDeviceLibrary(std::make_unique<FakeLibrary>(log, found));
            EXPECT_EQ(library != nullptr, found != 0);
            EXPECT_EQ(log.size(), found != 0 ? 1u : 3u);
        }
        EXPECT_EQ(log, (Log{"OpenVelkara", "CloseVelkara", "delete"})) << "found " << found;
    }
}

}  // namespace
