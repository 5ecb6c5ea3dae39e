#include "editingend.h"

#include <QFocusEvent>
#include <QLineEdit>

void editingEnd::watch(QLineEdit *edit)
{
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::returnPressed, this, &editingEnd::finished);
}

bool editingEnd::eventFilter(QObject *watched, QEvent *event)
{
    // A menu or combo popup taking the focus is no end of editing.
    if (event->type() == QEvent::FocusOut
        && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
        emit finished();
    return QObject::eventFilter(watched, event);
}
