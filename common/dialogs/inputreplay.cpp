#include "inputreplay.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <qpa/qwindowsysteminterface.h>

namespace {

// Longest the next input waits for a dialog that the input before opened
// to get the focus; a desktop may never give it.
constexpr int focusWaitMs = 1000;
// How often the replay looks whether the next input can be made.
constexpr int lookAgainMs = 1;

using queued = QWindowSystemInterface::AsynchronousDelivery;

} // namespace

void inputReplay::start(std::vector<input> events)
{
    auto *replay = new inputReplay(std::move(events));
    QTimer::singleShot(0, replay, &inputReplay::next);
}

inputReplay::inputReplay(std::vector<input> events)
    : QObject(QCoreApplication::instance()), events(std::move(events))
{
    sinceMade.start();
}

void inputReplay::next()
{
    if (settled()) {
        make(events[done++]);
        sinceMade.start();
        if (done == events.size()) {
            deleteLater();
            return;
        }
    }
    QTimer::singleShot(lookAgainMs, this, &inputReplay::next);
}

// The window system has delivered the input before and all that followed
// from it, and a modal dialog it opened has the focus.
bool inputReplay::settled() const
{
    if (QWindowSystemInterface::windowSystemEventsQueued() > 0)
        return false;
    const QWidget *modal = QApplication::activeModalWidget();
    const bool dialogAwaitsFocus = modal && !modal->isActiveWindow();
    return !dialogAwaitsFocus || sinceMade.hasExpired(focusWaitMs);
}

void inputReplay::make(const input &held)
{
    if (!held.window)
        return; // the window it was made in is gone
    QEvent *event = held.event.get();
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto *key = static_cast<const QKeyEvent *>(event);
        // To the window with the focus now; where it was made when none has.
        QWindow *focus = QGuiApplication::focusWindow();
        QWindowSystemInterface::handleExtendedKeyEvent(
            focus ? focus : held.window.data(), key->timestamp(), key->type(), key->key(), key->modifiers(),
            key->nativeScanCode(), key->nativeVirtualKey(), key->nativeModifiers(), key->text(),
            key->isAutoRepeat(), ushort(key->count()));
        return;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<const QMouseEvent *>(event);
        QWindowSystemInterface::handleMouseEvent<queued>(
            held.window, mouse->timestamp(), mouse->position(), mouse->globalPosition(), mouse->buttons(),
            mouse->button(), mouse->type(), mouse->modifiers(), mouse->source());
        return;
    }
    case QEvent::Wheel: {
        const auto *wheel = static_cast<const QWheelEvent *>(event);
        QWindowSystemInterface::handleWheelEvent(held.window, wheel->timestamp(), wheel->position(),
                                                 wheel->globalPosition(), wheel->pixelDelta(),
                                                 wheel->angleDelta(), wheel->modifiers(), wheel->phase(),
                                                 wheel->source(), wheel->inverted());
        return;
    }
    case QEvent::Close:
        QWindowSystemInterface::handleCloseEvent<queued>(held.window);
        return;
    default:
        return;
    }
}
