#include "paramwindow.h"

#include "formwidgets.h"
#include "framechecksum.h"
#include "onelineinput.h"
#include "paramfile.h"
#include "separators.h"
#include "setack.h"
#include "setcom.h"
#include "setfix.h"
#include "setuc.h"
#include "smspresets.h"
#include "statusquery.h"
#include "statusreply.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QStatusBar>

namespace {

QIcon pictureIcon(const QString &path)
{
    QIcon icon;
    icon.addFile(path, QSize(), QIcon::Normal, QIcon::Off);
    return icon;
}

QString chksName(qint8 chks)
{
    return frameChecksum::isSum(chks) ? QStringLiteral("%1bit sum").arg(8 * (chks + 1)) : charText(chks);
}

const char *const sumActions[] = {"action8bit_sum", "action16bit_sum", "action24bit_sum",
                                  "action32bit_sum"};

} // namespace

paramWindow::paramWindow(QWidget *parent)
    : QMainWindow(parent)
{
}

template <class T>
T *paramWindow::named(const char *name) const
{
    return findChild<T *>(QLatin1String(name));
}

void paramWindow::prepareActions()
{
    const bool sum = frameChecksum::isSum(settings.chks);
    named<QAction>(sum ? sumActions[settings.chks] : "actionFix")->setChecked(true);

    const struct { const char *action; const char *picture; } icons[] = {
        {"actionNew", "page_icon"}, {"actionOpen", "open"}, {"actionSave", "save"},
        {"actionSaveAs", "save"}, {"actionExit", "exit_icon"}, {"actionAbout", "info_icon"},
        {"actionReadup", "up"}, {"actionDownload", "down"},
    };
    for (const auto &icon : icons)
        named<QAction>(icon.action)->setIcon(pictureIcon(QStringLiteral(":/img/img/%1.png").arg(QLatin1String(icon.picture))));

    auto *group = new QActionGroup(this);
    for (const char *name : sumActions)
        group->addAction(named<QAction>(name));
    group->addAction(named<QAction>("actionFix"));

    QMenu *chksMenu = named<QMenu>("menuCHKS");
    if (chksMenu->isEnabled())
        chksMenu->setEnabled(settings.check != 0);
}

void paramWindow::connectSettings()
{
    connect(named<QAction>("actionCheck"), &QAction::triggered, this, &paramWindow::setCheck);
    connect(named<QAction>("actionACK"), &QAction::triggered, this, &paramWindow::setAckChar);
    connect(named<QAction>("actionSeparators"), &QAction::triggered, this, &paramWindow::setSeparators);
    connect(named<QAction>("actionUC"), &QAction::triggered, this, &paramWindow::setUploadCommand);
    void (paramWindow::*const bySum[])() = {&paramWindow::setChks8, &paramWindow::setChks16,
                                             &paramWindow::setChks24, &paramWindow::setChks32};
    for (int k = 0; k < 4; ++k)
        connect(named<QAction>(sumActions[k]), &QAction::triggered, this, bySum[k]);
    connect(named<QAction>("actionFix"), &QAction::triggered, this, &paramWindow::setFixChar);
    connect(named<QComboBox>("smskp_combo"), &QComboBox::currentIndexChanged, this, &paramWindow::smskpSelect);
}

void paramWindow::addFileAndPortLabels()
{
    fileLabel = new QLabel(this);
    fileLabel->setText(QStringLiteral("No file"));
    statusBar()->insertWidget(0, fileLabel, 1);
    portLabel = new QLabel(this);
    portLabel->setText(QStringLiteral("%1  Baud: %2").arg(settings.port).arg(settings.baud));
    statusBar()->insertWidget(1, portLabel, 1);
}

void paramWindow::watchLineEdits()
{
    editCheck = new editingEnd(this);
    auto *oneLine = new oneLineInput(this);
    for (QLineEdit *edit : lineEdits()) {
        editCheck->watch(edit);
        oneLine->watch(edit);
    }
}

void paramWindow::stopInputChecks()
{
    delete editCheck;
    editCheck = nullptr;
}

QList<QLineEdit *> paramWindow::lineEdits() const
{
    return formWidgets::lineEdits(centralWidget());
}

QList<QCheckBox *> paramWindow::checkBoxes() const
{
    return formWidgets::checkBoxes(centralWidget());
}

QList<QRadioButton *> paramWindow::radioButtons() const
{
    return formWidgets::radioButtons(centralWidget());
}

formValues paramWindow::formContents() const
{
    return formWidgets::values(centralWidget());
}

void paramWindow::showForm(const formValues &values)
{
    formWidgets::show(centralWidget(), values);
}

void paramWindow::showFlags(const formValues &values)
{
    formWidgets::showFlags(centralWidget(), values);
}

void paramWindow::clearAndFocus(const QList<QLineEdit *> &edits)
{
    for (QLineEdit *edit : edits) {
        edit->clear();
        edit->setFocus(Qt::OtherFocusReason);
    }
}

void paramWindow::selectSmsPreset()
{
    named<QComboBox>("smskp_combo")->setCurrentIndex(smsPresets::indexForNumber(named<QLineEdit>("smskp")->text()));
}

void paramWindow::smskpSelect()
{
    QLineEdit *smskp = named<QLineEdit>("smskp");
    const QString item = named<QComboBox>("smskp_combo")->currentText();
    if (smsPresets::isCustom(item)) {
        smskp->setEnabled(true);
        smskp->setFocus(Qt::OtherFocusReason);
    } else {
        smskp->setEnabled(false);
    }
    if (const std::optional<QString> number = smsPresets::numberForItem(item))
        smskp->setText(*number);
}

void paramWindow::keepFixedTexts(const QList<QLineEdit *> &edits)
{
    for (QLineEdit *edit : edits)
        fixedTexts.insert(edit, edit->text());
}

void paramWindow::checkInput(const inputRules::table &rules)
{
    // Moving the focus (to the field, to the box) ends editing elsewhere; that
    // must not start a second walk and a second box.
    if (checkingInput)
        return;
    const QScopedValueRollback<bool> running(checkingInput, true);

    const QList<QLineEdit *> edits = lineEdits();
    QList<inputRules::field> fields;
    for (const QLineEdit *edit : edits)
        fields.append({edit->objectName(), edit->text()});
    const inputRules::outcome outcome = inputRules(rules).check(fields);
    for (int i = 0; i < edits.size(); ++i) {
        if (edits[i]->text() != outcome.texts.value(i))
            edits[i]->setText(outcome.texts.value(i));
    }
    if (outcome.passed())
        return;
    QLineEdit *failed = edits[outcome.failedField];
    failed->clear();
    // An empty field the user cannot edit would refuse every load from now on.
    if (fixedTexts.contains(failed))
        failed->setText(fixedTexts.value(failed));
    failed->setFocus(Qt::OtherFocusReason);
    QMessageBox::warning(this, outcome.title, outcome.text, QMessageBox::Ok);
}

QString paramWindow::askSavePath(const QString &filter)
{
    return QFileDialog::getSaveFileName(this, tr("Save File"), QStringLiteral("."), filter);
}

void paramWindow::writeParamFile(const QString &path, const QString &successText)
{
    const paramFile::WriteResult result = paramFile::write(path, formContents());
    if (result.written) {
        settings.filePath = path;
        settings.fileName = paramFile::fileName(path);
        fileLabel->setText(settings.fileName);
        QMessageBox::information(this, QStringLiteral("Save"), successText, QMessageBox::Ok);
        return;
    }
    const QString reason = result.refusal.line >= 0 ? refusalReason(result.refusal) : result.error;
    QMessageBox::critical(this, QStringLiteral("Save"), QStringLiteral("The file could not be saved.\n%1").arg(reason),
                          QMessageBox::Ok);
}

QString paramWindow::refusalReason(const paramFile::Refusal &refusal) const
{
    using Why = paramFile::Refusal::Why;
    const QString field = fieldName(refusal.line);
    switch (refusal.why) {
    case Why::lineBreak:
        return QStringLiteral("The field \"%1\" holds a line break, which would split its line of the file: "
                              "the file would not give the form back. Remove it and save again.")
            .arg(field);
    case Why::endLine:
        return QStringLiteral("The field \"%1\" holds only \"---\", the mark that ends a parameter file "
                              "(its line %2): the file could not be opened again. Change the field and save again.")
            .arg(field, QString::number(refusal.line + 1));
    case Why::halfLetter:
        return QStringLiteral("The field \"%1\" ends in half a letter, the rest cut off by the field's length, "
                              "which a parameter file cannot hold. Change the field and save again.")
            .arg(field);
    case Why::missingLetter:
        return QStringLiteral("The field \"%1\" holds the letter %2, which a parameter file cannot hold. "
                              "Change the field and save again.")
            .arg(field, refusal.shownLetter());
    case Why::readsOtherwise:
        break;
    }
    return QStringLiteral("The field \"%1\" would come back from the file as \"%2\". Change the field and save again.")
        .arg(field, refusal.readBack);
}

QString paramWindow::fieldName(qsizetype field) const
{
    // Only a text can fail to come back; a tick's line would be named by its number.
    const QLineEdit *edit = lineEdits().value(field);
    return edit ? formWidgets::shownName(edit) : QStringLiteral("line %1").arg(field + 1);
}

bool paramWindow::chooseParamFile(const QString &filter)
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Open File"), QStringLiteral("."), filter);
    if (path.isNull())
        return false;
    settings.filePath = path;
    return true;
}

void paramWindow::showLoadRefusal(const frameBuilder &builder, const frameBuilder::Result &record,
                                  const frameBuilder::RefusalTexts &texts)
{
    const QString field = record.field >= 0 ? fieldName(record.field) : QString();
    QMessageBox::critical(this, QString::fromUtf8(frameBuilder::errorTitle),
                          builder.refusalText(record.refusal, texts, field), QMessageBox::Ok);
}

void paramWindow::choosePort(setcom &dialog)
{
    if (dialog.exec() != QDialog::Accepted)
        return;
    const portChoice choice = dialog.settings();
    settings.port = choice.port;
    settings.baud = choice.baud;
    portLabel->setText(QStringLiteral("%1 Baud: %2").arg(settings.port).arg(settings.baud));
}

void paramWindow::queryStatus(statusReply (*parse)(const QString &collected))
{
    statusQuery query(this, named<QPushButton>("allapot_gomb"), named<QProgressBar>("terero"));
    query.run(settings.port, settings.timeout, exchangeTimeLimitMs, [&](const QString &reply) {
        const statusReply status = parse(reply);
        named<QLabel>("l_service")->setText(status.operatorName);
        if (status.complete)
            showStatus(status);
        return status.complete;
    });
}

void paramWindow::showStatus(const statusReply &status)
{
    setLamp(named<QWidget>("w_be2"), status.input2, statusReply::inputOn);
    setLamp(named<QWidget>("w_be1"), status.input1, statusReply::inputOn);
    setLamp(named<QWidget>("w_ki2"), status.output2, statusReply::outputOn);
    setLamp(named<QWidget>("w_ki1"), status.output1, statusReply::outputOn);
    showTemperatures(status);
    setLamp(named<QWidget>("w_tp"), status.supply, statusReply::supplyOn);
    auto *bar = named<QProgressBar>("terero");
    bar->setRange(0, 32);
    bar->reset();
    bar->setValue(status.signal);
    bar->setStyleSheet(QString::fromLatin1(status.signalBarSheet()));
}

void paramWindow::setLamp(QWidget *lamp, bool on, const char *onSheet)
{
    lamp->setStyleSheet(QString::fromLatin1(on ? onSheet : statusReply::lampOff));
}

void paramWindow::setChks8() { settings.chks = 0; }
void paramWindow::setChks16() { settings.chks = 1; }
void paramWindow::setChks24() { settings.chks = 2; }
void paramWindow::setChks32() { settings.chks = 3; }

void paramWindow::setCheck()
{
    settings.check = settings.check != 0 ? 0 : 1;
    named<QMenu>("menuCHKS")->setEnabled(settings.check != 0);
}

void paramWindow::show_info()
{
    QString text;
    if (settings.filePath.isEmpty()) {
        text = QStringLiteral("No opened file.");
    } else {
        text = QStringLiteral("Port: %1\n").arg(settings.port)
             + QStringLiteral("Baudrate: B%1\n").arg(settings.baud)
             + QStringLiteral("Timeout: %1\n").arg(settings.timeout)
             + QStringLiteral("CHKS: %1\n").arg(chksName(settings.chks))
             + QStringLiteral("ACK char: %1\n").arg(charText(settings.ack))
             + QStringLiteral("Checkvalue: %1\n").arg(settings.check)
             + QStringLiteral("Download Separator: %1\n").arg(charText(settings.dlSep))
             + QStringLiteral("Upload Separator: %1\n").arg(charText(settings.upSep))
             + QStringLiteral("Upload Command: %1\n").arg(charText(settings.upCmd));
    }
    QMessageBox::information(this, QStringLiteral("Information"), text, QMessageBox::Ok);
}

void paramWindow::setFixChar()
{
    setFix dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        settings.chks = dialog.character();
}

void paramWindow::setAckChar()
{
    setAck dialog(this, settings.ack);
    if (dialog.exec() == QDialog::Accepted)
        settings.ack = dialog.character();
}

void paramWindow::setSeparators()
{
    separators dialog(this, settings.dlSep, settings.upSep);
    if (dialog.exec() != QDialog::Accepted)
        return;
    settings.dlSep = dialog.downloadSeparator();
    settings.upSep = dialog.uploadSeparator();
}

void paramWindow::setUploadCommand()
{
    setUC dialog(this, settings.upCmd);
    if (dialog.exec() == QDialog::Accepted)
        settings.upCmd = dialog.character();
}
