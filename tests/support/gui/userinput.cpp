#include "userinput.h"

#include <QString>
#include <QWidget>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

namespace {

using queued = QWindowSystemInterface::AsynchronousDelivery;

} // namespace

void userInput::keyClick(QWidget *window, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    // A desktop gives the focus back to the window once a dialog over it has closed.
    window->activateWindow();
    QWindow *handle = window->windowHandle();
    QWindowSystemInterface::handleKeyEvent<queued>(handle, QEvent::KeyPress, key, modifiers);
    QWindowSystemInterface::handleKeyEvent<queued>(handle, QEvent::KeyRelease, key, modifiers);
}

void userInput::type(QWidget *window, const QString &text)
{
    QWindow *handle = window->windowHandle();
    for (const QChar character : text) {
        const int key = character.toUpper().unicode(); // Qt's key codes for ASCII
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
            QWindowSystemInterface::handleKeyEvent<queued>(handle, type, key, Qt::NoModifier, character);
    }
}

void userInput::click(QWidget *widget)
{
    QWidget *window = widget->window();
    const QPoint centre = widget->rect().center();
    const QPointF local = widget->mapTo(window, centre);
    const QPointF global = widget->mapToGlobal(centre);
    QWindowSystemInterface::handleMouseEvent<queued>(window->windowHandle(), local, global, Qt::LeftButton,
                                                     Qt::LeftButton, QEvent::MouseButtonPress);
    QWindowSystemInterface::handleMouseEvent<queued>(window->windowHandle(), local, global, Qt::NoButton,
                                                     Qt::LeftButton, QEvent::MouseButtonRelease);
}

void userInput::closeRequest(QWidget *window)
{
    QWindowSystemInterface::handleCloseEvent<queued>(window->windowHandle());
}
