#include "formwidgets.h"

#include "regulatormode.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

formValues formWidgets::values(const QWidget *owner)
{
    formValues values;
    for (const QLineEdit *edit : owner->findChildren<QLineEdit *>())
        values.texts.append(edit->text());
    for (const QCheckBox *box : owner->findChildren<QCheckBox *>())
        values.flags.append(box->isChecked());
    return values;
}

void formWidgets::show(QWidget *owner, const formValues &values)
{
    const QList<QLineEdit *> edits = owner->findChildren<QLineEdit *>();
    for (int i = 0; i < edits.size(); ++i) {
        edits[i]->clear();
        edits[i]->setText(values.texts.value(i));
    }
    const QList<QCheckBox *> boxes = owner->findChildren<QCheckBox *>();
    for (int i = 0; i < boxes.size(); ++i)
        boxes[i]->setChecked(values.flags.value(i));
}

void formWidgets::takeRegulatorMode(QWidget *owner)
{
    auto *edit = owner->findChild<QLineEdit *>(QStringLiteral("rb"));
    if (!edit)
        return;
    for (const QRadioButton *button : owner->findChildren<QRadioButton *>()) {
        if (button->isChecked()) {
            edit->setText(regulatorMode::ofButton(button->objectName()));
            return;
        }
    }
}
