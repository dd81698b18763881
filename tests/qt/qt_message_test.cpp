// SPDX-License-Identifier: GPL-3.0-or-later
// Message boxes on the Qt back end: caption, text, one OK button, no icon, modal; owned by
// the main window while it is active, ownerless during start-up; fatal ones end the run.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QWidget>

#include "app/control_ids.h"
#include "qt_session.h"

namespace {

TEST(QtMessages, StartupBoxesHaveNoOwnerAndShowTheirTexts) {
    qttest::Session session("");  // no ini.ini, no units files: three boxes before the window
    EXPECT_EQ(session.Run({}), 0);
    ASSERT_EQ(session.messages.size(), 3u);
    const char* texts[] = {
        "Die Konfigurationsdatei ini.ini wurde nicht gefunden!",
        "The file units/units.txt could not be loaded. It holds your saved training units.",
        "The file units/history.txt could not be loaded. It holds your saved training data! "
        "(Very important)",
    };
    const char* titles[] = {"Fehler", "Error", "Error"};
    for (std::size_t n = 0; n < 3; ++n) {
        SCOPED_TRACE(texts[n]);
        const qttest::SeenMessage& seen = session.messages[n];
        EXPECT_EQ(seen.title, QString::fromUtf8(titles[n]));
        EXPECT_EQ(seen.text, QString::fromUtf8(texts[n]));
        EXPECT_FALSE(seen.hadOwner);
        EXPECT_TRUE(seen.applicationModal);
        EXPECT_EQ(seen.buttonCount, 1);
        EXPECT_TRUE(seen.okButton);
        EXPECT_TRUE(seen.noIcon);
    }
    EXPECT_TRUE(test::FileExists(session.Folder() / "ini.ini"));
}

TEST(QtMessages, BoxWhileTheWindowIsActiveIsOwnedByIt) {
    qttest::Session session;
    test::WriteFileBytes(session.Folder() / "units" / "units.txt", "");
    test::WriteFileBytes(session.Folder() / "units" / "history.txt", "");
    bool active = false;
    std::vector<qttest::Step> steps;
    steps.push_back([&active](QtUi& ui) {
        ui.Window()->activateWindow();
        QApplication::processEvents();
        active = QApplication::activeWindow() == ui.Window();
        // Delete with no entry selected: the program reports it.
        static_cast<QPushButton*>(ui.Control(DeleteEntryButton))->click();
    });
    EXPECT_EQ(session.Run(steps), 0);
    ASSERT_TRUE(active);
    ASSERT_EQ(session.messages.size(), 1u);
    EXPECT_EQ(session.messages[0].text, QStringLiteral("Please select a training unit first!"));
    EXPECT_EQ(session.messages[0].title, QStringLiteral("Error"));
    EXPECT_TRUE(session.messages[0].ownedByMainWindow);
    EXPECT_TRUE(session.messages[0].applicationModal);
}

TEST(QtMessages, FatalPictureMessageEndsBeforeAnyWindow) {
    qttest::Session session;
    std::filesystem::remove(session.Folder() / "media" / "BigImage.png");
    bool windowSeen = false;
    std::vector<qttest::Step> steps;
    steps.push_back([&windowSeen](QtUi&) { windowSeen = true; });
    EXPECT_EQ(session.Run(steps), 0);
    EXPECT_FALSE(windowSeen);
    EXPECT_EQ(session.ui.Window(), nullptr);
    ASSERT_FALSE(session.messages.empty());
    EXPECT_EQ(session.messages.back().text,
              QStringLiteral("The picture media/BigImage.png was not found!"));
    EXPECT_FALSE(session.messages.back().hadOwner);
}

}  // namespace
