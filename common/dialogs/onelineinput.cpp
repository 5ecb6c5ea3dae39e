#include "onelineinput.h"

#include "linebreaks.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

namespace {

// Ends the line edit's current undo step, as its own paste does before and
// after the text goes in. A line edit ends a step whenever its cursor moves;
// an empty one has nowhere to move it, and clearing it ends the step and
// changes nothing else.
void endUndoStep(QLineEdit *edit)
{
    if (edit->text().isEmpty()) {
        edit->clear();
        return;
    }
    const int at = edit->cursorPosition();
    edit->setCursorPosition(at == 0 ? int(edit->text().size()) : 0);
    edit->setCursorPosition(at);
}

void insertAsPaste(QLineEdit *edit, const QString &text)
{
    // Taking out a selection ends the step by itself; a cursor move would drop the selection.
    if (!edit->hasSelectedText())
        endUndoStep(edit);
    edit->insert(text);
    endUndoStep(edit);
}

} // namespace

void oneLineInput::watch(QLineEdit *edit)
{
    edit->installEventFilter(this);
}

bool oneLineInput::eventFilter(QObject *watched, QEvent *event)
{
    auto *edit = qobject_cast<QLineEdit *>(watched);
    if (!edit || edit->isReadOnly())
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        return static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste) && paste(edit, QClipboard::Clipboard);
    case QEvent::MouseButtonRelease:
        // The middle button pastes the selection where the window system keeps one.
        return static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton
               && QGuiApplication::clipboard()->supportsSelection() && paste(edit, QClipboard::Selection);
    case QEvent::ContextMenu:
        if (edit->contextMenuPolicy() != Qt::DefaultContextMenu)
            return false;
        showMenu(edit, static_cast<QContextMenuEvent *>(event));
        return true;
    case QEvent::Drop:
        return drop(edit, static_cast<QDropEvent *>(event));
    default:
        return false;
    }
}

bool oneLineInput::paste(QLineEdit *edit, QClipboard::Mode mode)
{
    const QString text = QGuiApplication::clipboard()->text(mode);
    if (!lineBreaks::in(text))
        return false;
    // The selection goes in at the cursor, not over itself.
    if (mode == QClipboard::Selection)
        edit->deselect();
    insertAsPaste(edit, lineBreaks::removed(text));
    return true;
}

bool oneLineInput::drop(QLineEdit *edit, QDropEvent *event)
{
    const QString text = event->mimeData()->text();
    if (!lineBreaks::in(text))
        return false;
    // The line edit takes the drop itself, with the text it may hold.
    QMimeData oneLine;
    oneLine.setText(lineBreaks::removed(text));
    QDropEvent copy(event->position(), event->possibleActions(), &oneLine, event->buttons(), event->modifiers());
    QCoreApplication::sendEvent(edit, &copy);
    event->setDropAction(copy.dropAction());
    event->setAccepted(copy.isAccepted());
    return true;
}

void oneLineInput::showMenu(QLineEdit *edit, const QContextMenuEvent *event)
{
    QMenu *menu = edit->createStandardContextMenu();
    // Its Paste entry is the one that reaches the line edit's own paste
    // (connected by name in Qt 6.4, by function later).
    for (QAction *action : menu->actions()) {
        if (disconnect(action, SIGNAL(triggered()), edit, SLOT(paste()))
            || disconnect(action, &QAction::triggered, edit, &QLineEdit::paste)) {
            connect(action, &QAction::triggered, edit, [edit] {
                if (!paste(edit, QClipboard::Clipboard))
                    edit->paste();
            });
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}
