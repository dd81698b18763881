// The week history in memory and its file units/history.txt: per week a "#number" line,
// then a "=DayKey" line and the day text for Monday to Sunday. The catch-up to the current
// week is calendar/'s AdvanceToCurrentWeek; messages come from text/.
#include "data/week_history.h"

#include "calendar/week_calendar.h"
#include "data/line_file.h"
#include "data/safe_save.h"
#include "text/messages.h"

std::vector<TrainingWeek> WeekHistory;
WholeNumber SelectedWeek = 0;
std::array<std::u16string, 7> DayKeys;
bool HistoryFileUnreadable = false;

namespace {

// The smallest week block in UTF-8: 89 one-byte characters, plus the 3-byte mark that
// announces the encoding. UTF-16 files use MinimumHistoryFileSize.
constexpr std::int64_t MinimumUtf8HistoryFileSize = 89 + 3;

void ReadWeeks(LineFile& file) {
    while (!AtEnd(file)) {
        std::u16string header = ReadLine(file);
        // A stray blank line between blocks does not hide the weeks behind it.
        if (TrimSpaces(header).empty()) continue;
        // The first character is the "#" mark; whatever it is, it is not part of the number.
        AddWeek(static_cast<WholeNumber>(ParseInteger(std::u16string_view(header).substr(1))));
        TrainingWeek& week = WeekHistory.back();
        for (std::u16string& day : week.days) {
            ReadLine(file);  // the "=DayKey" line; its content is never compared
            day = ReadLine(file);
        }
    }
}

void StartEmptyHistory() {
    AdvanceToCurrentWeek(WeekHistory, false);
    SelectedWeek = static_cast<WholeNumber>(WeekHistory.size()) - 1;
}

}  // namespace

void FillDayKeys() {
    DayKeys = {u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday", u"Sunday"};
}

void AddWeek(WholeNumber weekNumber) {
    TrainingWeek week;
    week.weekNumber = weekNumber;
    WeekHistory.push_back(std::move(week));
}

bool LoadWeekHistory() {
    const std::u16string path = HistoryFilePath;
    WeekHistory.clear();
    HistoryFileUnreadable = false;
    std::int64_t size = FileSizeOf(path);
    LineFile file;
    if (!OpenForReading(file, path)) {
        HistoryFileUnreadable = size != -1;
        ShowError(u"HistoryFile", path);
        StartEmptyHistory();
        return false;
    }
    SkipByteOrderMark(file);
    std::int64_t minimum = file.encoding == LineFile::Encoding::Utf8 ? MinimumUtf8HistoryFileSize
                                                                     : MinimumHistoryFileSize;
    // A file too short to hold one week is ignored and replaced by the next save.
    bool loadedFromFile = size >= minimum;
    if (loadedFromFile) ReadWeeks(file);
    bool complete = Close(file);
    if (!complete) {
        // Only part of the file may have arrived: keep what was read, protect the file.
        HistoryFileUnreadable = true;
        ShowError(u"HistoryFile", path);
    }
    AdvanceToCurrentWeek(WeekHistory, loadedFromFile);
    SelectedWeek = static_cast<WholeNumber>(WeekHistory.size()) - 1;
    return complete;
}

bool SaveWeekHistory() {
    const std::u16string path = HistoryFilePath;
    SafeSave save;
    if (HistoryFileUnreadable || !BeginSafeSave(save, path)) {
        ShowError(u"SaveHistory", path);
        return false;
    }
    if (DayKeys[0].empty()) FillDayKeys();
    for (const TrainingWeek& week : WeekHistory) {
        WriteLine(save.file, u"#" + FormatInteger(week.weekNumber));
        for (std::size_t day = 0; day < week.days.size(); ++day) {
            WriteLine(save.file, u"=" + DayKeys[day]);
            WriteLine(save.file, week.days[day]);
        }
    }
    if (!FinishSafeSave(save)) {
        ShowError(u"SaveHistory", path);
        return false;
    }
    return true;
}
