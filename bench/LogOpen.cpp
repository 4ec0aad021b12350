#include "LogOpen.h"

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "gui/GuiDriver.h"
#include "settings/ProductionLog.h"

namespace {

// A log as busy benches leave it: both image lengths, and a file name on every line.
std::string LongLog(int lines) {
    std::string log = LogPrefix(0, true);
    LogRecord record;
    record.time = {2026, 12, 11, 4, 50, 0};
    record.computer = L"BENCH-07";
    record.configFile = L"north door.ini";
    for (int i = 0; i < lines; ++i) {
        record.serial = 100000 + i;
        record.contacts = i % 2 == 0 ? 24 : 6;
        record.image.assign(i % 2 == 0 ? 109 : 43, static_cast<std::uint8_t>(i));
        log += FormatLogLine(record);
    }
    return log;
}

// Opens the key maps and returns the milliseconds until the list holds `lines` lines, or -1.
double OpenOnce(const gui::Program& program, int lines) {
    const Stopwatch watch;
    program.SystemCommand(IDM_LOG_KEY_MAP);
    HWND keyMaps = nullptr;
    const bool shown = gui::WaitUntil([&] {
        keyMaps = program.FindBox();
        return keyMaps != nullptr &&
               ::SendMessageW(::GetDlgItem(keyMaps, IDC_LOG_LIST), LVM_GETITEMCOUNT, 0, 0) == lines;
    });
    const double ms = watch.Ms();
    if (keyMaps != nullptr)
        ::PostMessageW(keyMaps, WM_COMMAND, IDCANCEL, 0);
    if (!shown || !program.WaitForNoBox())
        return -1;
    return ms;
}

}  // namespace

LogOpenFigures MeasureLogOpen(int lines, int rounds) {
    LogOpenFigures figures;
    figures.lines = lines;
    const std::string log = LongLog(lines);
    figures.megabytes = static_cast<double>(log.size()) / 1e6;
    std::vector<double> reads;
    for (int round = 0; round < rounds; ++round) {
        const Stopwatch watch;
        const LogReading reading = ReadLog(log);
        const double ms = watch.Ms();
        if (static_cast<int>(reading.lines.size()) != lines) {
            figures.failure = "the log read back with other lines";
            return figures;
        }
        reads.push_back(ms);
    }
    figures.readMs = SpreadOf(reads);

    const std::wstring path = gui::BuildDir() + L"\\bench log.csv";
    if (!gui::WriteFileBytes(path, log)) {
        figures.failure = "cannot write the log";
        return figures;
    }
    gui::SetTextSetting(L"LogFile", path);
    std::vector<double> opens;
    {
        gui::Program program;
        if (!program.Start())
            figures.failure = "the program showed no dialog";
        else
            OpenOnce(program, lines);  // once before measuring, with the file in the cache
        for (int round = 0; round < rounds && figures.failure.empty(); ++round) {
            const double ms = OpenOnce(program, lines);
            if (ms < 0)
                figures.failure = "the key maps did not list every line";
            opens.push_back(ms);
        }
    }
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, gui::kSettingsKey, L"LogFile");
    ::DeleteFileW(path.c_str());
    figures.openMs = SpreadOf(opens);
    return figures;
}
