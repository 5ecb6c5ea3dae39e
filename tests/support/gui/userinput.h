#pragma once

#include <Qt>

class QString;
class QWidget;

// Input as the window system delivers it: queued, so that a wait that holds
// user input back holds these back too (QTest sends its events past it).
namespace userInput {

// A key pressed and released on the widget's window, the window made active first.
void keyClick(QWidget *window, Qt::Key key, Qt::KeyboardModifiers modifiers);
// The characters of text typed one by one on the window (plain ASCII).
void type(QWidget *window, const QString &text);
// A left click in the middle of the widget.
void click(QWidget *widget);
// The title bar's close button.
void closeRequest(QWidget *window);

} // namespace userInput
