// The resource script and its id file, read as text: within each dialog the controls have
// distinct ids (GetDlgItem finds only the first of two), every id is defined once, and the 48
// slot fields have the 48 ids of the slot range.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(Resources, EachDialogsControlIdsAreDistinctAndDefinedOnce) {
    std::map<std::string, int> defines = {{"IDOK", 1}, {"IDCANCEL", 2}};  // the system's
    const std::string header = ReadFile(ORVANTA_SOURCE_DIR "/src/ui/resource.h");
    const std::regex define(R"(#define\s+(\w+)\s+\(?(-?(?:0x[0-9A-Fa-f]+|\d+))\)?)");
    for (std::sregex_iterator it(header.begin(), header.end(), define), end; it != end; ++it) {
        EXPECT_EQ(defines.count((*it)[1]), 0u) << "defined twice: " << (*it)[1];
        defines[(*it)[1]] = std::stoi((*it)[2], nullptr, 0);
    }

    std::istringstream script(ReadFile(ORVANTA_SOURCE_DIR "/src/ui/Orvanta.rc"));
    // A control line: its keyword, an optional "caption", then its id.
    const std::regex begin(R"(^(\w+)\s+DIALOGEX)");
    const std::regex control(R"(^\s+(\w+)\s+(?:"[^"]*"\s*,)?\s*(-?\w+)\s*,)");
    std::string line, dialog;
    std::set<int> ids;
    int slotFields = 0;  // the main dialog reaches slot s as IDC_SLOT_FIRST + s
    for (std::smatch m; std::getline(script, line);) {
        if (std::regex_search(line, m, begin)) {
            dialog = m[1];
            ids.clear();
        } else if (line.rfind("END", 0) == 0) {
            dialog.clear();
        } else if (!dialog.empty() && std::regex_search(line, m, control) && m[1] != "ICON") {
            const auto known = defines.find(m[2]);
            const int id = known != defines.end() ? known->second : std::stoi(m[2], nullptr, 0);
            EXPECT_TRUE(id == -1 || ids.insert(id).second) << dialog << ": id " << id << " twice";
            if (dialog == "IDD_ORVANTA_DIALOG" && id >= defines.at("IDC_SLOT_FIRST") &&
                id <= defines.at("IDC_SLOT_LAST"))
                ++slotFields;
        }
    }
    EXPECT_EQ(slotFields, 48);
}

}  // namespace
