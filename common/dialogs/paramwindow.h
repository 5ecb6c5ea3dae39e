#pragma once

#include "deviceexchange.h"
#include "editingend.h"
#include "formvalues.h"
#include "framebuilder.h"
#include "inputrules.h"
#include "linksettings.h"
#include "paramfile.h"

#include <QHash>
#include <QList>
#include <QAction>
#include <QMainWindow>
#include <QPushButton>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QRadioButton;
class setcom;
struct statusReply;

// What the main windows of both programs share: the link settings with their
// settings slots, the parameter form found under the central widget (line
// edits, then check boxes, then radio buttons, each in creation order), the
// walk of the input checks, the SMS-centre presets and the parameter-file
// dialogs. Each window builds its own form and names its own widgets; this
// finds the common ones by object name.
class paramWindow : public QMainWindow
{
    Q_OBJECT

public:
    // The window's link settings and working strings.
    linkSettings &currentSettings() { return settings; }
    // Longest a read-out, verify or status exchange may take; reaching it
    // fails that operation.
    void setExchangeTimeLimit(int ms) { exchangeTimeLimitMs = ms; }

public slots:
    void setCheck();
    void setFixChar();
    void setAckChar();
    void setSeparators();
    void setUploadCommand();
    void setChks8();
    void setChks16();
    void setChks24();
    void setChks32();
    void show_info();
    void smskpSelect();

protected:
    explicit paramWindow(QWidget *parent);

    // After the form is built: the CHKS action of the record ticked, the CHKS
    // actions made exclusive, the action icons, the CHKS menu rule.
    void prepareActions();
    // The file and port labels at positions 0 and 1 of the status bar.
    void addFileAndPortLabels();
    // The settings entries and the SMS-centre combo reach the shared slots.
    void connectSettings();
    // After the form is built, what both windows set up alike: the actions,
    // every connection to the window's slots of the shared names, the input
    // checks on every line edit, the file and port labels.
    template <class Window>
    void setUpWindow(Window *window);
    // The file, device, status and help entries and buttons reach the
    // window's own slots of those names; a form without a status menu entry
    // has only the button.
    template <class Window>
    void connectOperations(Window *window);
    // Every line edit of the form reports the end of its editing to slot.
    template <class Window>
    void checkInputOnEditingEnd(Window *window, void (Window::*slot)());
    // Ends the reports; a window on its way out moves the focus.
    void stopInputChecks();

    QList<QLineEdit *> lineEdits() const;
    QList<QCheckBox *> checkBoxes() const;
    QList<QRadioButton *> radioButtons() const;
    // Texts of the line edits; ticks of the check boxes, then of the radio buttons.
    formValues formContents() const;
    // Line edits and check boxes take the values; a radio button is only
    // ever checked by one (unchecking one of an exclusive group is not possible).
    void showForm(const formValues &values);
    void showFlags(const formValues &values);
    void clearAndFocus(const QList<QLineEdit *> &edits);
    void selectSmsPreset();

    // One walk of the input checks: "+" signs shown, the failing field
    // emptied (or, when the user cannot edit it, given back its fixed text)
    // and focused, then one warning box.
    void checkInput(const inputRules::table &rules);
    // Fields the user cannot edit keep their present texts as fixed texts.
    void keepFixedTexts(const QList<QLineEdit *> &edits);

    // The save dialog's chosen path, empty when cancelled.
    QString askSavePath(const QString &filter);
    // Writes the form to path without harming an old file on failure; on
    // success the path becomes the window's file and successText is shown.
    // A form the file would not give back is refused before anything is
    // written, the box naming the field and why.
    void writeParamFile(const QString &path, const QString &successText);
    // The open dialog's chosen path becomes the window's file path; false when cancelled.
    bool chooseParamFile(const QString &filter);

    // The load's refusal box: critical, under the load's error title; a
    // refused field is named by its label.
    void showLoadRefusal(const frameBuilder &builder, const frameBuilder::Result &record,
                         const frameBuilder::RefusalTexts &texts);

    // The port dialog run; an accepted choice becomes the window's port and baud.
    void choosePort(setcom &dialog);

    // The status query on the window's panel: parse reads the unit's reply;
    // a complete one lights the lamps both panels have, then the window's own
    // temperature items (showTemperatures), the supply lamp and the signal bar.
    void queryStatus(statusReply (*parse)(const QString &collected));
    virtual void showTemperatures(const statusReply &status) = 0;
    // A status lamp: onSheet when on, grey when off.
    static void setLamp(QWidget *lamp, bool on, const char *onSheet);

    linkSettings settings;
    QLabel *fileLabel = nullptr;
    QLabel *portLabel = nullptr;
    int exchangeTimeLimitMs = deviceExchange::defaultTimeLimitMs;

private:
    template <class T>
    T *named(const char *name) const;
    void showStatus(const statusReply &status);
    void watchLineEdits();
    // Why the form would not come back out of its file, in the user's terms, naming the field.
    QString refusalReason(const paramFile::Refusal &refusal) const;
    // The name the user sees for the line edit at index field: its label, mostly.
    QString fieldName(qsizetype field) const;

    editingEnd *editCheck = nullptr;
    bool checkingInput = false;
    QHash<QLineEdit *, QString> fixedTexts;
};

template <class Window>
void paramWindow::checkInputOnEditingEnd(Window *window, void (Window::*slot)())
{
    watchLineEdits();
    connect(editCheck, &editingEnd::finished, window, slot);
}

template <class Window>
void paramWindow::connectOperations(Window *window)
{
    const auto action = [this](const char *name) { return findChild<QAction *>(QLatin1String(name)); };
    const auto button = [this](const char *name) { return findChild<QPushButton *>(QLatin1String(name)); };
    connect(action("actionNew"), &QAction::triggered, window, &Window::newfile);
    connect(action("actionOpen"), &QAction::triggered, window, &Window::openfile);
    connect(action("actionSave"), &QAction::triggered, window, &Window::save);
    connect(action("actionSaveAs"), &QAction::triggered, window, &Window::saveas);
    connect(action("actionExit"), &QAction::triggered, window, &Window::close);
    connect(action("actionPort"), &QAction::triggered, window, &Window::show_port);
    connect(action("actionDownload"), &QAction::triggered, window, &Window::download);
    connect(action("actionReadup"), &QAction::triggered, window, &Window::readup);
    connect(action("actionVerify"), &QAction::triggered, window, &Window::verify_func);
    if (QAction *status = action("actionAllapot"))
        connect(status, &QAction::triggered, window, &Window::allapot);
    connect(action("actionAbout"), &QAction::triggered, window, &Window::nevjegy);
    connect(action("actionContents"), &QAction::triggered, window, &Window::contents);
    connect(button("download_gomb"), &QPushButton::clicked, window, &Window::download);
    connect(button("upload_gomb"), &QPushButton::clicked, window, &Window::readup);
    connect(button("verify_gomb"), &QPushButton::clicked, window, &Window::verify_func);
    connect(button("allapot_gomb"), &QPushButton::clicked, window, &Window::allapot);
    connect(button("save_gomb"), &QPushButton::clicked, window, &Window::save);
    connect(button("load_gomb"), &QPushButton::clicked, window, &Window::openfile);
}

template <class Window>
void paramWindow::setUpWindow(Window *window)
{
    prepareActions();
    connectOperations(window);
    checkInputOnEditingEnd(window, &Window::input_check);
    connectSettings();
    addFileAndPortLabels();
}
