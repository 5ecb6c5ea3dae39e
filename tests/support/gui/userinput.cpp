#include "userinput.h"

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

void userInput::closeRequest(QWidget *window)
{
    QWindowSystemInterface::handleCloseEvent<queued>(window->windowHandle());
}
