#pragma once

#include "formvalues.h"

#include <QList>
#include <QString>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QWidget;

// The parameter form's fields under the widget that holds them, each kind
// in creation order: line edits, check boxes and (model 1) radio buttons.
class formWidgets
{
public:
    static QList<QLineEdit *> lineEdits(const QWidget *owner);
    static QList<QCheckBox *> checkBoxes(const QWidget *owner);
    static QList<QRadioButton *> radioButtons(const QWidget *owner);

    // Texts of the line edits; ticks of the check boxes, then of the radio buttons.
    static formValues values(const QWidget *owner);
    // Clears and sets every line edit, then the flags as below.
    static void show(QWidget *owner, const formValues &values);
    // Sets every check box; checks each radio button whose flag is set (a
    // form read from the unit carries none, so the buttons stay as they are).
    static void showFlags(QWidget *owner, const formValues &values);
    // The name the user sees for a line edit: the text of the label whose
    // buddy it is, else its accessible name, else its object name.
    static QString shownName(const QLineEdit *edit);
    // Sets the line edit "rb" to the regulator mode of the checked radio
    // button; with none checked (or no radio buttons) nothing changes.
    static void takeRegulatorMode(QWidget *owner);
};
