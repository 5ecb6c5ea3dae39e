#pragma once

#include <QClipboard>
#include <QObject>

class QContextMenuEvent;
class QDropEvent;
class QLineEdit;

// Text pasted or dropped into a watched line edit comes in without its line
// breaks (CR and LF), as into any one-line field. A cell copied from a
// spreadsheet ends in one, and a field that held one would split the file
// line, record line or reply line it goes into. Text without line breaks is
// left to the line edit itself. The line edit's maximum length applies to
// the text without them, and the paste stays one undo step of its own.
class oneLineInput : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    void watch(QLineEdit *edit);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // False when the clipboard's text has no line break: the line edit pastes it itself.
    static bool paste(QLineEdit *edit, QClipboard::Mode mode);
    static bool drop(QLineEdit *edit, QDropEvent *event);
    // The line edit's own menu, its Paste going through paste().
    static void showMenu(QLineEdit *edit, const QContextMenuEvent *event);
};
