// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt back end's colours: what the desktop prefers, read from the XDG desktop portal over
// the session bus, and the dark Fusion palette. When to use which is the program's rule
// (app/program.cpp); the light palette is the one PrepareApplication sets.
#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QPalette>
#include <QStyle>
#include <QToolTip>
#include <optional>

#include "app/qt/qt_ui.h"

namespace {

// A portal that is slow to start or never answers must not hold up the program's start.
constexpr int PortalTimeoutMs = 1000;
// color-scheme: 0 no preference, 1 prefer dark, 2 prefer light.
constexpr unsigned PrefersDark = 1;

// Read answers a variant holding the variant of the value, ReadOne the value's variant.
std::optional<unsigned> UnwrappedNumber(QVariant value) {
    for (int depth = 0; depth < 3 && value.canConvert<QDBusVariant>(); ++depth)
        value = value.value<QDBusVariant>().variant();
    bool number = false;
    const unsigned result = value.toUInt(&number);
    if (!number) return std::nullopt;
    return result;
}

QDBusMessage AskPortal(QDBusConnection& bus, const char* method, int timeoutMs) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.portal.Desktop"),
        QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.portal.Settings"), QString::fromLatin1(method));
    call << QStringLiteral("org.freedesktop.appearance") << QStringLiteral("color-scheme");
    return bus.call(call, QDBus::Block, timeoutMs);
}

bool PortalPrefersDark() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    QElapsedTimer clock;
    clock.start();
    QDBusMessage reply = AskPortal(bus, "ReadOne", PortalTimeoutMs);
    // Portals before version 2 know only Read; the second question shares the time left.
    const int left = PortalTimeoutMs - int(clock.elapsed());
    if (reply.type() == QDBusMessage::ErrorMessage &&
        reply.errorName() == QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod") && left > 0)
        reply = AskPortal(bus, "Read", left);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return false;
    return UnwrappedNumber(reply.arguments().first()) == PrefersDark;
}

QPalette DarkPalette() {
    const QColor window(53, 53, 53);
    const QColor field(35, 35, 35);
    const QColor text(232, 232, 232);
    const QColor disabled(128, 128, 128);
    const QColor highlight(42, 130, 218);
    QPalette palette(window);
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, field);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::ToolTipBase, window);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, disabled);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, window);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, QColor(255, 90, 90));
    palette.setColor(QPalette::Link, highlight.lighter(130));
    palette.setColor(QPalette::Highlight, highlight);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    // The panels' one-pixel border is drawn in Dark: lighter than the face, as light
    // palettes draw it darker.
    palette.setColor(QPalette::Light, QColor(90, 90, 90));
    palette.setColor(QPalette::Midlight, QColor(70, 70, 70));
    palette.setColor(QPalette::Dark, QColor(110, 110, 110));
    palette.setColor(QPalette::Mid, QColor(44, 44, 44));
    palette.setColor(QPalette::Shadow, QColor(20, 20, 20));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, disabled);
    palette.setColor(QPalette::Disabled, QPalette::Base, window);
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(80, 80, 80));
    return palette;
}

}  // namespace

bool QtUi::DoDesktopPrefersDark() {
    return PortalPrefersDark();
}

void QtUi::DoSetColourScheme(ColourScheme scheme) {
    // The tooltips keep a palette of their own; the light one is whatever they had first.
    static const QPalette lightTooltips = QToolTip::palette();
    if (scheme == ColourScheme::Dark) {
        const QPalette dark = DarkPalette();
        QApplication::setPalette(dark);
        QToolTip::setPalette(dark);
        return;
    }
    QApplication::setPalette(QApplication::style()->standardPalette());
    QToolTip::setPalette(lightTooltips);
}
