// SPDX-License-Identifier: GPL-3.0-or-later
// The Save command under every injected fault of the safe save, for each of the two files,
// in whole sessions on the scripted back end: one box naming the file, its old bytes kept,
// the other file saved, no temporary file, the data in memory unchanged, no "saved" pause,
// and a second press of Save writing both files once the fault has cleared.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_test_support.h"
#include "app/control_ids.h"
#include "reliability/reliability_support.h"
#include "text/messages.h"
#include "text/text_table.h"

namespace {

using test::Bytes;

struct SessionFile {
    const char* name;
    const char* path;
    const char16_t* messageKey;
    bool savedFirst;  // the Save command writes the history before the catalogue
};

const SessionFile SessionFiles[] = {
    {"history", "units/history.txt", u"SaveHistory", true},
    {"catalogue", "units/units.txt", u"SaveUnits", false},
};

// What the checks between the events saw.
struct Observed {
    reliability::DataSnapshot before;
    reliability::DataSnapshot afterFault;
    Bytes newHistory;
    Bytes newUnits;
    std::vector<RecordedMessage> messages;
    Bytes faultedFile;
    Bytes otherFile;
    bool temporaryLeft = true;
    bool fired = false;
    std::size_t savedPausesAfterFault = 0;
    std::u16string expectedText;
};

std::size_t SavedPauses(const ScriptedUi& ui) {
    std::size_t count = 0;
    for (const RecordedPause& pause : ui.pauses) count += pause.milliseconds == 1000 ? 1 : 0;
    return count;
}

bool TemporaryFilesLeft() {
    return !test::TemporaryFilesIn("units").empty();
}

using SaveSession = apptest::SessionTest;

TEST_F(SaveSession, FaultInEitherFileKeepsItAndTheNextSaveWritesBoth) {
    for (const SessionFile& file : SessionFiles) {
        for (const reliability::SaveFaultRow& row : reliability::SaveFaultRows) {
            SCOPED_TRACE(std::string(file.name) + ": " + row.name);
            apptest::WriteIni();
            apptest::WriteUnits({u"Plank|3|60|hold"});
            apptest::WriteHistory({{1, {u"Run|1|5|easy"}}, {8, {}}});
            const char* otherPath = file.savedFirst ? "units/units.txt" : "units/history.txt";
            const Bytes oldBytes = test::ReadFileBytes(file.path);
            Observed seen;

            ScriptedUi ui;
            ui.QueueClick(AddEntryButton);  // Plank into Wednesday of week 8
            ui.QueueText(NameField, u"Squat");
            ui.QueueText(Count1Field, u"5");
            ui.QueueText(Count2Field, u"10");
            ui.QueueText(DescriptionField, u"deep");
            ui.QueueClick(CreateUnitButton);
            apptest::QueueCheck(ui, [&](ScriptedUi&) {
                seen.before = reliability::TakeSnapshot(program->document);
                seen.newHistory =
                    test::LineFileBytes(reliability::HistoryFileLines(program->document));
                seen.newUnits = test::LineFileBytes(reliability::CatalogueLines(program->document));
                seen.expectedText =
                    SubstitutePlaceholders(LookupText(program->texts, u"Errors", file.messageKey),
                                           test::ToUtf16(file.path), u"");
                reliability::EarlierSaves earlier;
                if (!file.savedFirst) earlier = {1, 2, 1, std::int64_t(seen.newHistory.size())};
                const Bytes& target = file.savedFirst ? seen.newHistory : seen.newUnits;
                reliability::ArmSaveFault(row.fault, std::int64_t(target.size()), earlier);
            });
            ui.QueueClick(SaveButton);
            apptest::QueueCheck(ui, [&](ScriptedUi& current) {
                seen.afterFault = reliability::TakeSnapshot(program->document);
                seen.messages = current.messages;
                seen.faultedFile = test::ReadFileBytes(file.path);
                seen.otherFile = test::ReadFileBytes(otherPath);
                seen.temporaryLeft = TemporaryFilesLeft();
                seen.fired = reliability::SaveFaultFired();
                seen.savedPausesAfterFault = SavedPauses(current);
            });
            ui.QueueClick(SaveButton);
            Run(ui);

            ASSERT_EQ(seen.before.units.size(), 2u) << "the session created a unit";
            ASSERT_EQ(seen.before.weeks.size(), 2u);
            EXPECT_EQ(seen.before.weeks[1].days[2], u"Plank|3|60|hold") << "and added an entry";
            EXPECT_TRUE(seen.fired) << "the fault was reached";
            ASSERT_EQ(seen.messages.size(), 1u);
            EXPECT_EQ(seen.messages[0].title, u"Fehler");
            EXPECT_EQ(seen.messages[0].text, seen.expectedText);
            EXPECT_FALSE(seen.messages[0].fatal);
            EXPECT_EQ(seen.faultedFile, oldBytes) << "the old file is kept byte for byte";
            EXPECT_EQ(seen.otherFile, file.savedFirst ? seen.newUnits : seen.newHistory)
                << "the other file is saved all the same";
            EXPECT_FALSE(seen.temporaryLeft);
            EXPECT_TRUE(reliability::SameSnapshot(seen.afterFault, seen.before));
            EXPECT_EQ(seen.savedPausesAfterFault, 0u) << "a failed save is not confirmed";

            // The second press, with the fault gone.
            EXPECT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(SavedPauses(ui), 1u);
            EXPECT_EQ(test::ReadFileBytes("units/history.txt"), seen.newHistory);
            EXPECT_EQ(test::ReadFileBytes("units/units.txt"), seen.newUnits);
            EXPECT_FALSE(TemporaryFilesLeft());
        }
    }
}

}  // namespace
