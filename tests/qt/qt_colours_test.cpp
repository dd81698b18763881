// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt program's colours on a private session bus (CTest runs these under dbus-run-session):
// a Light session looks exactly as the window always did (its grab compared pixel for pixel
// with light-window.png), a Dark one is really dark, System follows the desktop portal; the
// portal's answers, errors and silence are read within their time, without a portal at once.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QStyle>
#include <QThread>
#include <cstdlib>
#include <optional>

#include "qt_session.h"

namespace {

// The pictures keep their own colours; everything around them is dark.
constexpr double DarkBound = 0.33;
const QString PortalName = QStringLiteral("org.freedesktop.portal.Desktop");

// Mean of the Rec. 709 luminance of every pixel, 0 (black) to 1 (white).
double MeanLuminance(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            sum += 0.2126 * qRed(pixel) + 0.7152 * qGreen(pixel) + 0.0722 * qBlue(pixel);
        }
    }
    return sum / 255.0 / double(image.width()) / double(image.height());
}

// The window as the program shows it once it waits for the user.
QImage SessionGrab(const std::string& settings) {
    qttest::Session session("English", settings);
    QImage grab;
    session.Run({[&grab](QtUi& ui) { grab = ui.Window()->grab().toImage(); }});
    return grab.convertToFormat(QImage::Format_RGB32);
}

QImage LightReference() {
    return QImage(QStringLiteral(VELMORA_QT_TEST_DATA "/light-window.png"))
        .convertToFormat(QImage::Format_RGB32);
}

bool PortalOnBus() {
    QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    return bus != nullptr && bus->isServiceRegistered(PortalName).value();
}

// tests/qt/fake_portal.py in one of its modes, on the bus while it lives.
class FakePortal {
  public:
    explicit FakePortal(const char* mode) {
        process_.start(
            QStringLiteral("/usr/bin/python3"),
            {QStringLiteral(VELMORA_QT_TEST_DATA "/fake_portal.py"), QString::fromLatin1(mode)});
        QElapsedTimer clock;
        clock.start();
        while (!PortalOnBus() && clock.elapsed() < 10000 &&
               process_.state() != QProcess::NotRunning)
            QThread::msleep(20);
        ready_ = PortalOnBus();
    }
    ~FakePortal() {
        process_.kill();
        process_.waitForFinished(5000);
        QElapsedTimer clock;
        clock.start();
        while (PortalOnBus() && clock.elapsed() < 5000) QThread::msleep(20);
    }
    bool ready() const { return ready_; }

  private:
    QProcess process_;
    bool ready_ = false;
};

class QtColours : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("DBUS_SESSION_BUS_ADDRESS"), nullptr)
            << "run under dbus-run-session --config-file=tests/qt/private_bus.conf";
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected());
        ASSERT_FALSE(PortalOnBus()) << "the private bus must start without a portal";
    }
};

TEST_F(QtColours, DarkIsReallyDarkAndLightIsTheWindowAsItAlwaysWas) {
    const QImage reference = LightReference();
    ASSERT_FALSE(reference.isNull());
    struct Row {
        const char* name;
        std::string settings;
        bool dark;
    };
    // Dark before Light: light must come back completely after dark.
    const Row rows[] = {
        {"Dark", "Theme = Dark\r\n", true},
        {"Light", "Theme = Light\r\n", false},
        {"dark in small letters, blanks after it", "theme = dark  \r\n", true},
        {"no Theme and no portal", "", false},
        {"another value counts as System", "Theme = Sepia\r\n", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QImage grab = SessionGrab(row.settings);
        ASSERT_EQ(grab.size(), QSize(656, 236));
        const double luminance = MeanLuminance(grab);
        if (row.dark) {
            EXPECT_LT(luminance, DarkBound);
            EXPECT_LT(qGray(grab.pixel(5, 5)), 64) << "the window's face";
            EXPECT_NE(QApplication::palette().color(QPalette::Window),
                      QApplication::style()->standardPalette().color(QPalette::Window));
        } else {
            EXPECT_TRUE(grab == reference) << "the light window differs from light-window.png";
            EXPECT_GT(luminance, 0.8);
            EXPECT_EQ(QApplication::palette(), QApplication::style()->standardPalette());
        }
    }
}

TEST_F(QtColours, SystemFollowsThePortalsColourScheme) {
    {
        FakePortal portal("dark");
        ASSERT_TRUE(portal.ready());
        for (const std::string settings : {"Theme = System\r\n", ""}) {
            SCOPED_TRACE(settings);
            EXPECT_LT(MeanLuminance(SessionGrab(settings)), DarkBound);
        }
        EXPECT_TRUE(SessionGrab("Theme = Light\r\n") == LightReference())
            << "Light does not ask the desktop";
    }
    FakePortal portal("light");
    ASSERT_TRUE(portal.ready());
    EXPECT_TRUE(SessionGrab("Theme = System\r\n") == LightReference());
    EXPECT_LT(MeanLuminance(SessionGrab("Theme = Dark\r\n")), DarkBound)
        << "Dark does not ask the desktop";
    SessionGrab("Theme = Light\r\n");
}

TEST_F(QtColours, PortalIsReadWithinASecondWhateverItDoes) {
    struct Row {
        const char* name;
        const char* mode;  // nullptr: no portal on the bus
        bool dark;
        qint64 atLeastMs;
        qint64 underMs;
    };
    const Row rows[] = {
        {"no portal", nullptr, false, 0, 500},
        {"prefers dark", "dark", true, 0, 1000},
        {"prefers light", "light", false, 0, 1000},
        {"older portal without ReadOne", "old-dark", true, 0, 1000},
        {"setting not found", "error", false, 0, 1000},
        {"never answers", "silent", false, 900, 2500},
    };
    QtUi ui;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::optional<FakePortal> portal;
        if (row.mode != nullptr) {
            portal.emplace(row.mode);
            ASSERT_TRUE(portal->ready());
        }
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(ui.DesktopPrefersDark(), row.dark);
        const qint64 took = clock.elapsed();
        EXPECT_GE(took, row.atLeastMs);
        EXPECT_LT(took, row.underMs);
    }
}

}  // namespace
