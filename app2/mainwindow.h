#pragma once

#include "deviceexchange.h"
#include "paramwindow.h"

#include <memory>
#include <optional>

class QLabel;
class paramFile;
struct statusReply;
class QProgressDialog;
class Ui_MainWindow;

// The model-2 program's one window: the parameter form, the link settings and
// every operation of the program as a slot.
class MainWindow : public paramWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    void loadfile(bool isDefault);

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

private:

    void showDefaultsDisplay(const paramFile &file, int fieldCount);

    // The unit's record is read under a progress dialog that can cancel it.
    std::unique_ptr<QProgressDialog> readProgress(const QString &label);
    // The unit's record read under that dialog; none when the user cancelled
    // or the port could not be opened (its box shown).
    std::optional<deviceExchange::Reply> readUnitRecord(const QString &label);
    void showReadoutFailure(const QString &text);

    void showTemperatures(const statusReply &status) override;

    Ui_MainWindow *ui;
    QLabel *linkLabel = nullptr;
};
