// SPDX-License-Identifier: GPL-3.0-or-later
// Daily backups by a second name for the old file: the save that follows puts its new file
// under the data file's name, so the backup keeps the old bytes without copying a byte. Where
// the file system has no second names, the old file is copied. Also the strict reading of
// the Backups setting; telling the user about a bad one is app/'s.
#include "data/backups.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "platform/os_file.h"
#include "platform/unicode.h"

namespace {

constexpr char16_t BackupFolderName[] = u"backup";
constexpr char16_t BackupExtension[] = u".txt";

// The folder part of a path with its "/", and the name without folder and extension.
void SplitPath(const std::u16string& path, std::u16string& folder, std::u16string& stem) {
    const std::size_t slash = path.find_last_of(u"/\\");
    folder = slash == std::u16string::npos ? u"" : path.substr(0, slash + 1);
    stem = path.substr(folder.size());
    const std::size_t dot = stem.rfind(u'.');
    if (dot != std::u16string::npos && dot > 0) stem.resize(dot);
}

// The date of a backup name of this stem, "" when the name is no such backup.
std::u16string_view BackupDateIn(std::u16string_view name, std::u16string_view stem) {
    constexpr std::size_t DateLength = 10;  // YYYY-MM-DD
    const std::size_t extension = std::size(BackupExtension) - 1;
    if (name.size() != stem.size() + 1 + DateLength + extension) return {};
    if (name.substr(0, stem.size()) != stem || name[stem.size()] != u'-') return {};
    if (name.substr(name.size() - extension) != BackupExtension) return {};
    const std::u16string_view date = name.substr(stem.size() + 1, DateLength);
    for (std::size_t i = 0; i < DateLength; ++i) {
        const bool dash = i == 4 || i == 7;
        if (dash ? date[i] != u'-' : (date[i] < u'0' || date[i] > u'9')) return {};
    }
    return date;
}

// Removes the backups of this stem beyond the newest `days` dates up to `today`. A backup
// dated later (a clock once set ahead, a folder from such a machine) is neither removed nor
// counted: counting it would remove today's, the only copy of what the save replaces.
void KeepNewest(const std::u16string& folder, const std::u16string& stem, WholeNumber days,
                std::u16string_view today) {
    std::vector<std::u16string> backups;
    for (std::u16string& name : OsFolderFiles(folder)) {
        const std::u16string_view date = BackupDateIn(name, stem);
        if (!date.empty() && date <= today) backups.push_back(std::move(name));
    }
    if (WholeNumber(backups.size()) <= days) return;
    // Same stem, same length: the newest date sorts last.
    std::sort(backups.begin(), backups.end());
    const std::size_t surplus = backups.size() - std::size_t(days);
    for (std::size_t i = 0; i < surplus; ++i) OsRemoveFile(folder + u"/" + backups[i]);
}

// "2026-12-07": the date in a backup's name.
std::u16string DateText(const LocalDate& day) {
    return Utf8ToUtf16(IsoDate(CivilDateOf(day)));
}

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

}  // namespace

BackupSetting ReadBackupSetting(std::u16string_view text) {
    std::size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) ++at;
    const std::size_t digitsStart = at;
    constexpr WholeNumber Most = std::numeric_limits<WholeNumber>::max();
    WholeNumber days = 0;
    for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at) {
        const WholeNumber digit = text[at] - u'0';
        // Past the largest number of the word every backup is kept, never a wrapped count.
        days = days > (Most - digit) / 10 ? Most : days * 10 + digit;
    }
    const bool digits = at > digitsStart;
    while (at < text.size() && IsBlank(text[at])) ++at;
    if (!digits || at != text.size()) return {DefaultBackupDays, false};
    return {days, true};
}

std::u16string DailyBackupPath(const std::u16string& dataFile, const LocalDate& day) {
    std::u16string folder;
    std::u16string stem;
    SplitPath(dataFile, folder, stem);
    return folder + BackupFolderName + u"/" + stem + u"-" + DateText(day) + BackupExtension;
}

std::vector<std::u16string> DailyBackupsOf(const std::u16string& dataFile) {
    std::u16string folder;
    std::u16string stem;
    SplitPath(dataFile, folder, stem);
    folder += BackupFolderName;
    std::vector<std::u16string> backups;
    for (std::u16string& name : OsFolderFiles(folder))
        if (!BackupDateIn(name, stem).empty()) backups.push_back(folder + u"/" + name);
    // Same stem, same length: the oldest date sorts first.
    std::sort(backups.begin(), backups.end());
    return backups;
}

Report KeepDailyBackup(const std::u16string& dataFile, const std::u16string& oldFile,
                       const DailyBackup& backup) {
    if (backup.days <= 0 || OsFileSize(oldFile) < 0) return {};
    const std::u16string path = DailyBackupPath(dataFile, backup.today);
    // The first save of the day keeps the day's starting version; later ones leave it, and
    // the old backups were pruned by that first one.
    if (OsFileSize(path) >= 0) return {};
    std::u16string folder;
    std::u16string stem;
    SplitPath(dataFile, folder, stem);
    folder += BackupFolderName;
    if (!OsMakeFolder(folder)) return {u"Backup", path};
    if (!OsHardLink(oldFile, path) && !OsCopyFile(oldFile, path)) return {u"Backup", path};
    KeepNewest(folder, stem, backup.days, DateText(backup.today));
    return {};
}
