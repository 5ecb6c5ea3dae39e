#include "inputhold.h"

#include <QCoreApplication>
#include <QWidget>
#include <QWindow>

inputHold::inputHold(QWidget *window) : window(window)
{
    QCoreApplication::instance()->installEventFilter(this);
}

inputHold::~inputHold()
{
    QCoreApplication::instance()->removeEventFilter(this);
    if (held.empty())
        return;
    // Given to the window from the event loop, after the operation that
    // held them has returned.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [events = std::move(held)] {
            for (const heldEvent &event : events) {
                if (event.first)
                    QCoreApplication::sendEvent(event.first, event.second.get());
            }
        },
        Qt::QueuedConnection);
}

bool inputHold::eventFilter(QObject *receiver, QEvent *event)
{
    if (!isUserInput(event) || !inWindow(receiver))
        return false;
    held.emplace_back(receiver, std::shared_ptr<QEvent>(event->clone()));
    return true;
}

bool inputHold::isUserInput(const QEvent *event)
{
    switch (event->type()) {
    case QEvent::Shortcut: // a key that matched a shortcut; never spontaneous
        return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::Close:
        return event->spontaneous(); // from the user, not from the program itself
    default:
        return false;
    }
}

// The window itself, its native window, its widgets, and the actions and
// shortcuts they own; not the dialogs over it, which are windows of their own.
bool inputHold::inWindow(const QObject *receiver) const
{
    if (receiver == window->windowHandle())
        return true;
    for (const QObject *owner = receiver; owner; owner = owner->parent()) {
        if (owner->isWidgetType())
            return static_cast<const QWidget *>(owner)->window() == window;
    }
    return false;
}
