#pragma once

#include "formvalues.h"

class QWidget;

// The parameter form's fields under the widget that holds them, each kind
// in creation order: line edits, check boxes and (model 1) radio buttons.
class formWidgets
{
public:
    static formValues values(const QWidget *owner);
    // Clears and sets every line edit, sets every check box.
    static void show(QWidget *owner, const formValues &values);
    // Sets the line edit "rb" to the regulator mode of the checked radio
    // button; with none checked (or no radio buttons) nothing changes.
    static void takeRegulatorMode(QWidget *owner);
};
