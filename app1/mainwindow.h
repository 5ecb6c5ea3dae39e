#pragma once

#include "paramwindow.h"

class Ui_MainWindow;
struct statusReply;

// The thermostat (model-1) program's one window: the parameter form with the
// regulator mode, the link settings and every operation as a slot.
class MainWindow : public paramWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    void loadfile();

public slots:
    void newfile();
    void openfile();
    void save();
    void saveas();
    void verify_func();
    void allapot();
    void show_port();
    void download();
    void readup();
    void nevjegy();
    void contents();
    void input_check();
    void temp_changed();

private:
    void addMakerLabel();

    void showFileLines(const QStringList &lines);
    // The regulator mode of the checked radio button written into rb.
    void writeRegulatorMode();
    // After a read-out: the radio button of the mode that rb brought.
    void showReadRegulatorMode();

    void showTemperatures(const statusReply &status) override;

    Ui_MainWindow *ui;
};
