#include "chardialog.h"

#include "linksettings.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>

charDialog::charDialog(QWidget *parent) : QDialog(parent)
{
}

void charDialog::followEdits(const QList<QLineEdit *> &followed, QDialogButtonBox *box)
{
    edits = followed;
    buttons = box;
    for (QLineEdit *edit : edits)
        connect(edit, &QLineEdit::textChanged, this, &charDialog::handleChange);
}

qint8 charDialog::editByte(int index) const
{
    return firstByteOf(edits.at(index)->text());
}

void charDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void charDialog::handleChange()
{
    bool filled = true;
    for (const QLineEdit *edit : edits)
        filled = filled && !edit->text().isEmpty();
    buttons->button(QDialogButtonBox::Ok)->setEnabled(filled);
}
