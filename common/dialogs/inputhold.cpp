#include "inputhold.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

inputHold::inputHold(QWidget *window) : window(window)
{
    QCoreApplication::instance()->installEventFilter(this);
}

inputHold::~inputHold()
{
    QCoreApplication::instance()->removeEventFilter(this);
    if (!held.empty())
        inputReplay::start(std::move(held));
}

// All user input reaches the widgets through the window's native window
// first, so it is held there: no shortcut, focus change or click has
// happened yet.
bool inputHold::eventFilter(QObject *receiver, QEvent *event)
{
    if (receiver != window->windowHandle() || !event->spontaneous())
        return false;
    return holds(event);
}

bool inputHold::holds(QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Taken as overridden: the key then comes as a plain key press and
        // is held, and its shortcut is looked up when it is made again.
        event->accept();
        return true;
    case QEvent::MouseButtonDblClick:
        return true; // made again from the clicks that gave it
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        if (dropsClick(static_cast<QMouseEvent &>(*event)))
            return true;
        [[fallthrough]];
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::Close:
        held.push_back({window->windowHandle(), std::unique_ptr<QEvent>(event->clone())});
        return true;
    default:
        return false;
    }
}

// A press on a widget disabled now, and the release of that button.
bool inputHold::dropsClick(const QMouseEvent &event)
{
    if (event.type() == QEvent::MouseButtonRelease) {
        const bool drop = dropped.testFlag(event.button());
        dropped.setFlag(event.button(), false);
        return drop;
    }
    const QWidget *target = window->childAt(event.position().toPoint());
    if (!target || target->isEnabled())
        return false;
    dropped.setFlag(event.button());
    return true;
}
