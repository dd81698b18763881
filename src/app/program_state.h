// SPDX-License-Identifier: GPL-3.0-or-later
// Everything the running program keeps, in one record that RunProgram creates at start-up
// and drops at the end: the texts, the settings, the user's data, the week and day shown,
// the state of the unit fields, the two pictures, the undo record of the day changes, the
// folder lock, the conflict copies merged at start-up and the back end it runs on.
#pragma once

#include "app/edit_history.h"
#include "app/ui_services.h"
#include "config/configuration.h"
#include "data/conflict_copies.h"
#include "data/document.h"
#include "platform/os_file.h"
#include "text/text_table.h"

inline constexpr char16_t BigPicturePath[] = u"media/BigImage.png";
// Held while the program runs, so that a second start on the same folder does not save over
// the first one's changes.
inline constexpr char16_t FolderLockPath[] = u".velmora.lock";
inline constexpr char16_t SmallPicturePath[] = u"media/SmallImage.png";

// The week and day shown and edited.
struct Selection {
    WholeNumber week = 0;  // position in the history
    WholeNumber day = 0;   // 0 = Monday .. 6 = Sunday
};

struct ProgramState {
    explicit ProgramState(UiServices& backEnd) : ui(backEnd) {}

    UiServices& ui;
    TextTable texts;
    Settings settings;
    Document document;
    Selection selection;
    EditHistory edits;
    bool fieldsDisabled = false;  // Count1Field, Count2Field and DescriptionField
    bool quitRequested = false;
    bool endRequested = false;  // a fatal message was shown: start-up or the loop ends
    Picture bigPicture;
    Picture smallPicture;
    OsFile folderLock;
    bool backupFailureShown = false;  // the Backup box comes once per run
    bool backupSettingShown = false;  // so does the BackupSetting box
    // Conflict copies merged at start-up, moved into units/backup/merged/ once their file is
    // saved; closing without saving leaves them where they are.
    std::vector<ConflictCopy> mergedCopies;
    // The changed files last found unreadable when the window became active: named once.
    OsFileIdentity refusedHistory;
    OsFileIdentity refusedUnits;
};
