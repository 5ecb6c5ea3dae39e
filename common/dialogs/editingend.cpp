#include "editingend.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>

namespace {

// A popup of the line edit itself, such as its context menu, is part of the editing.
bool toOwnPopup(const QObject *edit, const QFocusEvent *event)
{
    const QWidget *popup = QApplication::activePopupWidget();
    return event->reason() == Qt::PopupFocusReason && popup && popup->parentWidget() == edit;
}

} // namespace

void editingEnd::watch(QLineEdit *edit)
{
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::returnPressed, this, &editingEnd::finished);
}

bool editingEnd::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && !toOwnPopup(watched, static_cast<QFocusEvent *>(event)))
        emit finished();
    return QObject::eventFilter(watched, event);
}
