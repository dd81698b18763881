// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt back end's window, the user's events handed up from its widgets, key commands, the
// context menu, the file dialog, message boxes, pauses and the clipboard. The controls
// themselves are made and changed in qt_controls.cpp; the event queue is UiServices'.
#include "app/qt/qt_ui.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cassert>
#include <chrono>
#include <thread>

namespace {

// The fixed layout was drawn for an 8-point dialog font: the condensed face at 11 pixels
// keeps the longest German caption inside its 150-pixel button and every text inside the
// 20-pixel buttons, lists and fields.
constexpr int FontPixelSize = 11;

KeyStroke StrokeOf(const QKeyEvent& event) {
    KeyStroke stroke;
    switch (event.key()) {
        case Qt::Key_S:
            stroke.key = KeyName::S;
            break;
        case Qt::Key_Z:
            stroke.key = KeyName::Z;
            break;
        case Qt::Key_Y:
            stroke.key = KeyName::Y;
            break;
        case Qt::Key_C:
            stroke.key = KeyName::C;
            break;
        case Qt::Key_X:
            stroke.key = KeyName::X;
            break;
        case Qt::Key_V:
            stroke.key = KeyName::V;
            break;
        case Qt::Key_Delete:
            stroke.key = KeyName::Delete;
            break;
        default:
            break;
    }
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    stroke.control = modifiers.testFlag(Qt::ControlModifier);
    stroke.shift = modifiers.testFlag(Qt::ShiftModifier);
    stroke.alt = modifiers.testFlag(Qt::AltModifier) || modifiers.testFlag(Qt::MetaModifier);
    return stroke;
}

}  // namespace

void PrepareApplication(QApplication& application) {
    auto* style = new VelmoraStyle;
    QApplication::setStyle(style);
    QApplication::setPalette(style->standardPalette());
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setPixelSize(FontPixelSize);
    QApplication::setFont(font);
    QApplication::setWindowIcon(ProgramIcon());
    application.setQuitOnLastWindowClosed(false);
}

QtUi::QtUi() = default;

QtUi::~QtUi() {
    CloseWindow();
}

bool QtUi::DoOpenWindow(int, int clientWidth, int clientHeight, const std::u16string& title) {
    if (window_ != nullptr) return false;
    auto* window = new MainWindowWidget(*this);
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint);
    window->setWindowTitle(QString::fromStdU16String(title));
    window->setWindowIcon(ProgramIcon());
    window->setFixedSize(clientWidth, clientHeight);
    window->setAutoFillBackground(true);
    window_ = window;
    keyFilter_ = new KeyCommandFilter(*this, window);
    window->installEventFilter(keyFilter_);
    // Window managers that offer no close key of their own still get Alt+F4.
    auto* closeKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), window);
    QObject::connect(closeKey, &QShortcut::activated, window, [this] { CloseRequest(); });
    Centre();
    window->show();
    window->raise();
    window->activateWindow();
    // A reparenting window manager tells the frame size only once the window is mapped.
    QTimer::singleShot(0, window, [this] { Centre(); });
    return true;
}

void QtUi::Centre() {
    if (window_ == nullptr) return;
    QScreen* screen = window_->screen() ? window_->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->geometry();
    const QSize outer = window_->frameGeometry().size().boundedTo(area.size());
    const QPoint corner(area.x() + (area.width() - outer.width()) / 2,
                        area.y() + (area.height() - outer.height()) / 2);
    if (window_->frameGeometry().topLeft() != corner) window_->move(corner);
}

QWidget* QtUi::Control(int id) const {
    auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second.widget;
}

QWidget* QtUi::ParentWidget(int parent) const {
    if (parent == MainWindowParent) return window_;
    return Control(parent);
}

void QtUi::ControlEvent(int id) {
    if (window_ == nullptr) return;
    RaiseEvent({UiEvent::Kind::Control, id});
}

void QtUi::Activated() {
    if (window_ == nullptr) return;
    NoteWindowActivated();
}

void QtUi::CloseRequest() {
    RaiseEvent({UiEvent::Kind::CloseRequest, -1});
}

bool QtUi::KeyPress(QObject* receiver, const QKeyEvent& event) {
    if (window_ == nullptr) return false;
    QWidget* focus = QApplication::focusWidget();
    int focusedId = -1;
    std::optional<ControlKind> focusedKind;
    for (const auto& [id, record] : controls_) {
        if (record.widget != focus) continue;
        focusedId = id;
        focusedKind = record.kind;
    }
    // A key the focused control leaves alone travels on to its panel and the window: only its
    // first delivery is looked at, to the control or, with no control focused, the window.
    QObject* first = focusedKind ? static_cast<QObject*>(focus) : window_;
    if (receiver != first) return false;
    // Shift+F10 opens the context menu as the menu key does, at the control with the focus.
    if (event.key() == Qt::Key_F10 && event.modifiers() == Qt::ShiftModifier) {
        QWidget* anchor = focusedKind ? focus : window_;
        const QPoint corner = anchor->mapToGlobal(QPoint(0, 0));
        const ScreenPoint point =
            KeyboardMenuPoint({corner.x(), corner.y(), anchor->width(), anchor->height()});
        ContextMenuAt(QPoint(point.x, point.y));
        return true;
    }
    return OfferKey(focusedId, focusedKind, StrokeOf(event));
}

void QtUi::ContextMenuAt(const QPoint& screenPosition) {
    if (window_ == nullptr || ContextMenu().empty()) return;
    QMenu menu(window_);
    for (std::size_t position = 0; position < ContextMenu().size(); ++position) {
        const MenuItem& item = ContextMenu()[position];
        QAction* action = menu.addAction(QString::fromStdU16String(item.text));
        action->setData(static_cast<qulonglong>(position));
        action->setEnabled(item.enabled);
    }
    if (onContextMenu) {
        QTimer::singleShot(0, &menu, [this, &menu] { onContextMenu(menu); });
    }
    const QAction* chosen = menu.exec(screenPosition);
    if (chosen != nullptr) RaiseMenuChoice(std::size_t(chosen->data().toULongLong()));
}

bool QtUi::DoOpenFile(const std::u16string& path) {
    const QString absolute = QFileInfo(QString::fromStdU16String(path)).absoluteFilePath();
    return QDesktopServices::openUrl(QUrl::fromLocalFile(absolute));
}

std::optional<std::u16string> QtUi::DoChooseFileToOpen(const OpenFileRequest& request) {
    // Qt's own dialog, as QFileDialog::getOpenFileName shows it where the desktop offers no
    // other; an instance, so that the tests can reach it.
    const QString filter =
        QString::fromStdU16String(request.filterName + u" (" + request.pattern + u")") +
        QStringLiteral(";;") + QStringLiteral("* (*)");
    QFileDialog dialog(window_, QString::fromStdU16String(request.title), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setWindowModality(Qt::ApplicationModal);
    if (onFileDialog) QTimer::singleShot(0, &dialog, [this, &dialog] { onFileDialog(dialog); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdU16String();
}

std::u16string QtUi::DoGetClipboardText() {
    return QGuiApplication::clipboard()->text(QClipboard::Clipboard).toStdU16String();
}

void QtUi::DoSetClipboardText(const std::u16string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdU16String(text), QClipboard::Clipboard);
}

void QtUi::WaitForMoreEvents() {
    if (onIdle) onIdle();
    if (HasWaitingEvents()) return;
    if (window_ == nullptr && !onIdle) {
        // Nothing can come without a window: end as the close box would.
        RaiseEvent({UiEvent::Kind::CloseRequest, -1});
        return;
    }
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

bool QtUi::DoIsWindowActive() {
    return window_ != nullptr && QApplication::activeWindow() == window_;
}

void QtUi::DoShowMessageBox(const std::u16string& title, const std::u16string& text, bool,
                            bool ownedByWindow) {
    QMessageBox box(ownedByWindow ? window_ : nullptr);
    box.setWindowTitle(QString::fromStdU16String(title));
    box.setText(QString::fromStdU16String(text));
    box.setTextFormat(Qt::PlainText);
    box.setIcon(QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    if (onMessageBox) {
        QTimer::singleShot(0, &box, [this, &box] { onMessageBox(box); });
    }
    box.exec();
}

void QtUi::Pause(int milliseconds) {
    // Paint what the program just changed (the save button's "saved" text) before the
    // thread sleeps; input that arrives meanwhile waits in the window system's queue.
    if (window_ != nullptr) window_->repaint();
    if (onPause) onPause(milliseconds);
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void QtUi::DoCloseWindow() {
    if (window_ == nullptr) return;
    QWidget* window = window_;
    window_ = nullptr;
    lastFocusable_ = nullptr;
    keyFilter_ = nullptr;
    controls_.clear();
    delete window;
}
