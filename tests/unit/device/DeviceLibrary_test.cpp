#include "device/DeviceLibrary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

class FakeLibrary : public CBrondel {
public:
    FakeLibrary(Log& log, int found) : m_log(log), m_found(found) {}
    ~FakeLibrary() override { m_log.push_back("delete"); }
    int OpenVelkara() override {
        m_log.push_back("OpenVelkara");
        return m_found;
    }
    int CloseVelkara() override {
        m_log.push_back("CloseVelkara");
        return 0;
    }

private:
    Log& m_log;
    int m_found;
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
