#pragma once

#include <QDialog>

class dlThread;
class linkSettings;
class Ui_dload;

// Load dialog: runs the load worker on its own copy of the link settings,
// shows its progress and outcome, and on success closes itself after 2 s.
class dload : public QDialog
{
    Q_OBJECT

public:
    // How long each read of the model-2 load waits for the unit.
    static constexpr int model2ReadWaitMs = 20000;

    dload(const linkSettings &settings, QWidget *parent, int readWaitMs = model2ReadWaitMs);
    ~dload() override;

protected slots:
    void dlcomplete();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    dlThread *worker;
    Ui_dload *ui;
};
