#pragma once

#include "deviceexchange.h"
#include "formvalues.h"
#include "linksettings.h"

#include <QList>
#include <QMainWindow>
#include <memory>

class QCheckBox;
class QLabel;
class editingEnd;
class paramFile;
struct statusReply;
class QLineEdit;
class QProgressDialog;
class Ui_MainWindow;

// The model-2 program's one window: the parameter form, the link settings and
// every operation of the program as a slot.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    void loadfile(bool isDefault);

    // The window's link settings and working strings.
    linkSettings &currentSettings() { return settings; }
    // Longest a read-out, verify or status exchange may take; reaching it
    // fails that operation.
    void setExchangeTimeLimit(int ms);

public slots:
    void newfile();
    void openfile();
    void save();
    void saveas();
    void verify_func();
    void allapot();
    void show_port();
    void setCheck();
    void setFixChar();
    void setAckChar();
    void setSeparators();
    void setUploadCommand();
    void setChks8();
    void setChks16();
    void setChks24();
    void setChks32();
    void download();
    void readup();
    void show_info();
    void nevjegy();
    void contents();
    void input_check();
    void smskpSelect();

private:
    void tickChksAction();
    void setActionIcons();
    void groupChksActions();
    void connectActions();

    // The form's fields in form order: its line edits, then its check boxes.
    QList<QLineEdit *> lineEdits() const;
    QList<QCheckBox *> checkBoxes() const;
    formValues formContents() const;
    void showForm(const formValues &values);
    void clearAndFocus(const QList<QLineEdit *> &edits);

    void showDefaultsDisplay(const paramFile &file, int fieldCount);
    void selectSmsPreset();

    // The unit's record is read under a progress dialog that can cancel it.
    std::unique_ptr<QProgressDialog> readProgress(const QString &label);
    deviceExchange::Reply readUnitRecord(QProgressDialog &progress);
    void showReadoutFailure(const QString &text);

    void showStatus(const statusReply &status);

    Ui_MainWindow *ui;
    linkSettings settings;
    QLabel *portLabel = nullptr;
    QLabel *fileLabel = nullptr;
    QLabel *linkLabel = nullptr;
    editingEnd *editCheck = nullptr;
    bool checkingInput = false;
    int exchangeTimeLimitMs = deviceExchange::defaultTimeLimitMs;
};
