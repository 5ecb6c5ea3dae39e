#pragma once

#include "transferdialog.h"

class linkSettings;
class vThread;
class Ui_verify;

// Verify dialog: checks in a worker that the unit holds the record the
// form under formOwner would load. Changes nothing but, on a form with
// radio buttons (model 1), the regulator-mode edit "rb", which it sets
// from them before the form is read.
class verify : public transferDialog
{
    Q_OBJECT

public:
    verify(const linkSettings &settings, QWidget *formOwner, QWidget *parent,
           const transferTexts &texts = verify::englishTexts());
    ~verify() override;

    static transferTexts englishTexts();

protected slots:
    void vcomplete();

protected:
    void changeEvent(QEvent *event) override;

private:
    Ui_verify *ui;
    vThread *worker; // owned by the base
};
