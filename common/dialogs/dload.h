#pragma once

#include "transferdialog.h"

class dlThread;
class linkSettings;
class Ui_dload;

// Load dialog: runs the load worker on its own copy of the link settings,
// shows its progress and outcome, and on success closes itself after 2 s.
// Its Cancel button is never enabled; Escape stops the load.
class dload : public transferDialog
{
    Q_OBJECT

public:
    // How long each read of the model-2 load waits for the unit.
    static constexpr int model2ReadWaitMs = 20000;

    // The dialog's title and message texts of one program.
    struct Texts {
        QString title;
        QString start;
        transferTexts outcome;
    };
    static Texts model2Texts();
    static Texts model1Texts();

    dload(const linkSettings &settings, QWidget *parent, int readWaitMs = model2ReadWaitMs,
          const Texts &texts = model2Texts());
    ~dload() override;

protected slots:
    void dlcomplete();

protected:
    void changeEvent(QEvent *event) override;

private:
    void showStartTexts();

    const Texts texts;
    Ui_dload *ui;
    dlThread *worker; // owned by the base
};
