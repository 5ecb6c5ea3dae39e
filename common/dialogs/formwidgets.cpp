#include "formwidgets.h"

#include "regulatormode.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

QList<QLineEdit *> formWidgets::lineEdits(const QWidget *owner)
{
    return owner->findChildren<QLineEdit *>();
}

QList<QCheckBox *> formWidgets::checkBoxes(const QWidget *owner)
{
    return owner->findChildren<QCheckBox *>();
}

QList<QRadioButton *> formWidgets::radioButtons(const QWidget *owner)
{
    return owner->findChildren<QRadioButton *>();
}

formValues formWidgets::values(const QWidget *owner)
{
    formValues values;
    for (const QLineEdit *edit : lineEdits(owner))
        values.texts.append(edit->text());
    for (const QCheckBox *box : checkBoxes(owner))
        values.flags.append(box->isChecked());
    for (const QRadioButton *button : radioButtons(owner))
        values.flags.append(button->isChecked());
    return values;
}

void formWidgets::show(QWidget *owner, const formValues &values)
{
    const QList<QLineEdit *> edits = lineEdits(owner);
    for (int i = 0; i < edits.size(); ++i) {
        edits[i]->clear();
        edits[i]->setText(values.texts.value(i));
    }
    showFlags(owner, values);
}

void formWidgets::showFlags(QWidget *owner, const formValues &values)
{
    const QList<QCheckBox *> boxes = checkBoxes(owner);
    for (int i = 0; i < boxes.size(); ++i)
        boxes[i]->setChecked(values.flags.value(i));
    // A radio button of an exclusive group can only be checked, never unchecked directly.
    const QList<QRadioButton *> buttons = radioButtons(owner);
    for (int i = 0; i < buttons.size(); ++i) {
        if (values.flags.value(boxes.size() + i))
            buttons[i]->setChecked(true);
    }
}

QString formWidgets::shownName(const QLineEdit *edit)
{
    // The forms place their widgets by position: a label's buddy is what ties it to its field.
    for (const QLabel *label : edit->window()->findChildren<QLabel *>()) {
        if (label->buddy() == edit)
            return label->text();
    }
    return edit->accessibleName().isEmpty() ? edit->objectName() : edit->accessibleName();
}

void formWidgets::takeRegulatorMode(QWidget *owner)
{
    auto *edit = owner->findChild<QLineEdit *>(QStringLiteral("rb"));
    if (!edit)
        return;
    for (const QRadioButton *button : radioButtons(owner)) {
        if (button->isChecked()) {
            edit->setText(regulatorMode::ofButton(button->objectName()));
            return;
        }
    }
}
