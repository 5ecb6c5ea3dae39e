#pragma once

#include "transferdialog.h"

class linkSettings;
class upThread;
class Ui_upload;

// Read-out dialog: reads the unit's parameter block in a worker and fills
// the form under formOwner with it, in one step and only when the whole
// read-out succeeded; a failed or cancelled read-out leaves the form as it was.
class upload : public transferDialog
{
    Q_OBJECT

public:
    // formOwner: the widget whose line edits and check boxes are the form.
    // fullBarOnlyAfterFill: the bar reaches its end only with a complete fill.
    upload(const linkSettings &settings, QWidget *formOwner, QWidget *parent,
           const transferTexts &texts = upload::englishTexts(), bool fullBarOnlyAfterFill = false);
    ~upload() override;

    static transferTexts englishTexts();

    // True once the read-out succeeded and filled the form.
    bool succeeded() const { return filled; }

protected slots:
    void upcomplete();

protected:
    void changeEvent(QEvent *event) override;

private:
    Ui_upload *ui;
    QWidget *formOwner;
    upThread *worker; // owned by the base
    bool filled = false;
};
