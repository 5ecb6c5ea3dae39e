#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "about.h"
#include "dload.h"
#include "editingend.h"
#include "framebuilder.h"
#include "framechecksum.h"
#include "frameverifier.h"
#include "inputrules.h"
#include "paramfile.h"
#include "readoutparser.h"
#include "separators.h"
#include "setack.h"
#include "setcom.h"
#include "setfix.h"
#include "setuc.h"
#include "smspresets.h"
#include "statusreply.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QDebug>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QProgressDialog>
#include <QScopedValueRollback>
#include <QTimer>
#include <QUrl>

namespace {

const char defaultsFile[] = "varlok_default.dll";

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

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), ui(new Ui_MainWindow)
{
    ui->setupUi(this);
    tickChksAction();
    setActionIcons();
    groupChksActions();
    if (ui->menuCHKS->isEnabled())
        ui->menuCHKS->setEnabled(settings.check != 0);
    connectActions();

    fileLabel = new QLabel(this);
    fileLabel->setText(QStringLiteral("No file"));
    statusBar()->insertWidget(0, fileLabel, 1);
    portLabel = new QLabel(this);
    portLabel->setText(QStringLiteral("%1  Baud: %2").arg(settings.port).arg(settings.baud));
    statusBar()->insertWidget(1, portLabel, 1);

    QTimer::singleShot(500, this, &MainWindow::newfile);
}

MainWindow::~MainWindow()
{
    // Hiding the window on its way out moves the focus; no check may run then.
    delete editCheck;
    delete ui;
}

void MainWindow::tickChksAction()
{
    QAction *const bySum[] = {ui->action8bit_sum, ui->action16bit_sum, ui->action24bit_sum,
                              ui->action32bit_sum};
    (frameChecksum::isSum(settings.chks) ? bySum[settings.chks] : ui->actionFix)->setChecked(true);
}

void MainWindow::setActionIcons()
{
    ui->actionNew->setIcon(pictureIcon(QStringLiteral(":/img/img/page_icon.png")));
    ui->actionOpen->setIcon(pictureIcon(QStringLiteral(":/img/img/open.png")));
    ui->actionSave->setIcon(pictureIcon(QStringLiteral(":/img/img/save.png")));
    ui->actionSaveAs->setIcon(pictureIcon(QStringLiteral(":/img/img/save.png")));
    ui->actionExit->setIcon(pictureIcon(QStringLiteral(":/img/img/exit_icon.png")));
    ui->actionAbout->setIcon(pictureIcon(QStringLiteral(":/img/img/info_icon.png")));
    ui->actionReadup->setIcon(pictureIcon(QStringLiteral(":/img/img/up.png")));
    ui->actionDownload->setIcon(pictureIcon(QStringLiteral(":/img/img/down.png")));
}

void MainWindow::groupChksActions()
{
    auto *group = new QActionGroup(this);
    group->addAction(ui->action8bit_sum);
    group->addAction(ui->action16bit_sum);
    group->addAction(ui->action24bit_sum);
    group->addAction(ui->action32bit_sum);
    group->addAction(ui->actionFix);
}

void MainWindow::connectActions()
{
    connect(ui->actionNew, &QAction::triggered, this, &MainWindow::newfile);
    connect(ui->actionOpen, &QAction::triggered, this, &MainWindow::openfile);
    connect(ui->actionSave, &QAction::triggered, this, &MainWindow::save);
    connect(ui->actionSaveAs, &QAction::triggered, this, &MainWindow::saveas);
    connect(ui->actionExit, &QAction::triggered, this, &MainWindow::close);
    connect(ui->actionPort, &QAction::triggered, this, &MainWindow::show_port);
    connect(ui->actionCheck, &QAction::triggered, this, &MainWindow::setCheck);
    connect(ui->actionACK, &QAction::triggered, this, &MainWindow::setAckChar);
    connect(ui->actionSeparators, &QAction::triggered, this, &MainWindow::setSeparators);
    connect(ui->actionUC, &QAction::triggered, this, &MainWindow::setUploadCommand);
    connect(ui->actionDownload, &QAction::triggered, this, &MainWindow::download);
    connect(ui->actionReadup, &QAction::triggered, this, &MainWindow::readup);
    connect(ui->actionVerify, &QAction::triggered, this, &MainWindow::verify_func);
    connect(ui->actionAbout, &QAction::triggered, this, &MainWindow::nevjegy);
    connect(ui->actionContents, &QAction::triggered, this, &MainWindow::contents);
    connect(ui->download_gomb, &QPushButton::clicked, this, &MainWindow::download);
    connect(ui->upload_gomb, &QPushButton::clicked, this, &MainWindow::readup);
    connect(ui->verify_gomb, &QPushButton::clicked, this, &MainWindow::verify_func);
    connect(ui->save_gomb, &QPushButton::clicked, this, &MainWindow::save);
    connect(ui->load_gomb, &QPushButton::clicked, this, &MainWindow::openfile);
    connect(ui->allapot_gomb, &QPushButton::clicked, this, &MainWindow::allapot);
    connect(ui->action8bit_sum, &QAction::triggered, this, &MainWindow::setChks8);
    connect(ui->action16bit_sum, &QAction::triggered, this, &MainWindow::setChks16);
    connect(ui->action24bit_sum, &QAction::triggered, this, &MainWindow::setChks24);
    connect(ui->action32bit_sum, &QAction::triggered, this, &MainWindow::setChks32);
    connect(ui->actionFix, &QAction::triggered, this, &MainWindow::setFixChar);
    editCheck = new editingEnd(this);
    for (QLineEdit *edit : lineEdits())
        editCheck->watch(edit);
    connect(editCheck, &editingEnd::finished, this, &MainWindow::input_check);
    connect(ui->smskp_combo, &QComboBox::currentIndexChanged, this, &MainWindow::smskpSelect);
}

QList<QLineEdit *> MainWindow::lineEdits() const
{
    return ui->centralWidget->findChildren<QLineEdit *>();
}

QList<QCheckBox *> MainWindow::checkBoxes() const
{
    return ui->centralWidget->findChildren<QCheckBox *>();
}

formValues MainWindow::formContents() const
{
    formValues values;
    for (const QLineEdit *edit : lineEdits())
        values.texts.append(edit->text());
    for (const QCheckBox *box : checkBoxes())
        values.flags.append(box->isChecked());
    return values;
}

void MainWindow::saveas()
{
}

void MainWindow::setChks8() { settings.chks = 0; }
void MainWindow::setChks16() { settings.chks = 1; }
void MainWindow::setChks24() { settings.chks = 2; }
void MainWindow::setChks32() { settings.chks = 3; }

void MainWindow::setCheck()
{
    settings.check = settings.check != 0 ? 0 : 1;
    ui->menuCHKS->setEnabled(settings.check != 0);
}

void MainWindow::show_info()
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

void MainWindow::show_port()
{
    setcom dialog(this);
    dialog.setSettings(settings);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const portChoice choice = dialog.settings();
    settings.port = choice.port;
    settings.baud = choice.baud;
    portLabel->setText(QStringLiteral("%1 Baud: %2").arg(settings.port).arg(settings.baud));
}

void MainWindow::setFixChar()
{
    setFix dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        settings.chks = dialog.character();
}

void MainWindow::setAckChar()
{
    setAck dialog(this, settings.ack);
    if (dialog.exec() == QDialog::Accepted)
        settings.ack = dialog.character();
}

void MainWindow::setSeparators()
{
    separators dialog(this, settings.dlSep, settings.upSep);
    if (dialog.exec() != QDialog::Accepted)
        return;
    settings.dlSep = dialog.downloadSeparator();
    settings.upSep = dialog.uploadSeparator();
}

void MainWindow::setUploadCommand()
{
    setUC dialog(this, settings.upCmd);
    if (dialog.exec() == QDialog::Accepted)
        settings.upCmd = dialog.character();
}

void MainWindow::nevjegy()
{
    (new about(settings.linkText, settings.aboutText, this))->setVisible(true);
}

void MainWindow::contents()
{
    // A bare name would go to the desktop as a web address; hand over the file itself.
    const QFileInfo document(QStringLiteral("varlok-help.pdf"));
    if (!document.exists() || !QDesktopServices::openUrl(QUrl::fromLocalFile(document.absoluteFilePath())))
        QMessageBox::critical(this, QStringLiteral("Help"),
                              QStringLiteral("Hiba! A dokumentáció nem nyitható meg."), QMessageBox::Ok);
}

void MainWindow::newfile()
{
    settings.fileName = QString::fromLatin1(defaultsFile);
    settings.filePath = QString::fromLatin1(defaultsFile);
    loadfile(true);
}

void MainWindow::openfile()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Open File"), QStringLiteral("."),
                                                      tr("Varlok Files (*.vrk)"));
    if (path.isNull())
        return;
    settings.filePath = path;
    loadfile(false);
}

void MainWindow::loadfile(bool isDefault)
{
    if (!QFile::exists(settings.filePath)) {
        if (settings.filePath != QLatin1String(defaultsFile))
            QMessageBox::critical(this, QStringLiteral("File hiba"),
                                  QStringLiteral("A kiválasztott fájl nem létezik."), QMessageBox::Ok);
        return;
    }
    const paramFile file = paramFile::read(settings.filePath);
    const int fieldCount = lineEdits().size() + checkBoxes().size();
    if (!file.holdsForm(fieldCount)) {
        QMessageBox::critical(this, QStringLiteral("File error."),
                              QStringLiteral("Cannot open the file. \nTip: Check the file."),
                              QMessageBox::Ok);
        return;
    }
    showForm(file.values(lineEdits().size(), checkBoxes().size()));
    if (isDefault)
        showDefaultsDisplay(file, fieldCount);
    settings.fileName = paramFile::fileName(settings.filePath);
    settings.frameText = QStringLiteral("");
    fileLabel->setText(settings.fileName);
    selectSmsPreset();
    if (!isDefault)
        QMessageBox::information(this, QStringLiteral("File opened."),
                                 settings.fileName + QStringLiteral(" successfully loaded."),
                                 QMessageBox::Ok);
}

void MainWindow::showDefaultsDisplay(const paramFile &file, int fieldCount)
{
    file.takeDisplayLines(fieldCount, settings);
    if (!settings.imagePath.isEmpty())
        ui->image->setPixmap(QPixmap(settings.imagePath));
    linkLabel = new QLabel(this);
    linkLabel->setOpenExternalLinks(true);
    linkLabel->setText(settings.linkText);
    statusBar()->insertWidget(2, linkLabel, 0);
}

void MainWindow::save()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Save File"), QStringLiteral("."),
                                                      tr("Varlok Files (*.vrk)"));
    if (path.isEmpty())
        return;
    QString reason;
    if (!paramFile::write(path, formContents(), &reason)) {
        QMessageBox::critical(this, QStringLiteral("Save"),
                              QStringLiteral("The file could not be saved.\n%1").arg(reason),
                              QMessageBox::Ok);
        return;
    }
    settings.filePath = path;
    settings.fileName = paramFile::fileName(path);
    fileLabel->setText(settings.fileName);
    QMessageBox::information(this, QStringLiteral("Save"), QStringLiteral("Save was successful."),
                             QMessageBox::Ok);
}

void MainWindow::showForm(const formValues &values)
{
    const QList<QLineEdit *> edits = lineEdits();
    for (int i = 0; i < edits.size(); ++i) {
        edits[i]->clear();
        edits[i]->setText(values.texts.value(i));
    }
    const QList<QCheckBox *> boxes = checkBoxes();
    for (int i = 0; i < boxes.size(); ++i)
        boxes[i]->setChecked(values.flags.value(i));
}

void MainWindow::selectSmsPreset()
{
    ui->smskp_combo->setCurrentIndex(smsPresets::indexForNumber(ui->smskp->text()));
}

void MainWindow::smskpSelect()
{
    const QString item = ui->smskp_combo->currentText();
    if (smsPresets::isCustom(item)) {
        ui->smskp->setEnabled(true);
        ui->smskp->setFocus(Qt::OtherFocusReason);
    } else {
        ui->smskp->setEnabled(false);
    }
    if (const std::optional<QString> number = smsPresets::numberForItem(item))
        ui->smskp->setText(*number);
}

void MainWindow::input_check()
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
    const inputRules::outcome outcome = inputRules(inputRules::model2()).check(fields);
    for (int i = 0; i < edits.size(); ++i) {
        if (edits[i]->text() != outcome.texts.value(i))
            edits[i]->setText(outcome.texts.value(i));
    }
    if (outcome.passed())
        return;
    QLineEdit *failed = edits[outcome.failedField];
    failed->clear();
    failed->setFocus(Qt::OtherFocusReason);
    QMessageBox::warning(this, outcome.title, outcome.text, QMessageBox::Ok);
}

void MainWindow::download()
{
    const frameBuilder builder(settings);
    const frameBuilder::Result record = builder.load(formContents());
    settings.frameText = record.text;
    if (!record.accepted()) {
        if (record.refusal == frameBuilder::FirstThermometer)
            clearAndFocus({ui->h1_low, ui->h1_high});
        if (record.refusal == frameBuilder::SecondThermometer)
            clearAndFocus({ui->h2_low, ui->h2_high});
        QMessageBox::critical(this, QString::fromUtf8(frameBuilder::errorTitle),
                              builder.refusalText(record.refusal), QMessageBox::Ok);
        return;
    }
    dload dialog(settings, this);
    dialog.exec();
}

void MainWindow::clearAndFocus(const QList<QLineEdit *> &edits)
{
    for (QLineEdit *edit : edits) {
        edit->clear();
        edit->setFocus(Qt::OtherFocusReason);
    }
}

std::unique_ptr<QProgressDialog> MainWindow::readProgress(const QString &label)
{
    auto progress = std::make_unique<QProgressDialog>(label, QStringLiteral("Megszakítás"), 0, 43, this);
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(0);
    progress->show();
    progress->setValue(1);
    return progress;
}

deviceExchange::Reply MainWindow::readUnitRecord(QProgressDialog &progress)
{
    deviceExchange exchange(settings.port);
    exchange.setCancelCheck([&progress] { return progress.wasCanceled(); });
    exchange.setProgress([&progress] { progress.setValue(progress.value() + 1); });
    const deviceExchange::Reply reply = exchange.readout();
    // The dialog stays behind a port failure's box; otherwise its end closes it.
    if (reply.outcome != deviceExchange::Cancelled && reply.outcome != deviceExchange::OpenFailed)
        progress.setValue(43);
    return reply;
}

void MainWindow::readup()
{
    const auto progress = readProgress(QStringLiteral("Kiolvasás..."));
    const deviceExchange::Reply reply = readUnitRecord(*progress);
    if (reply.outcome == deviceExchange::Cancelled)
        return;
    if (reply.outcome == deviceExchange::OpenFailed) {
        showReadoutFailure(QString::fromUtf8(readoutParser::portFailedText));
        return;
    }
    readoutParser::Result result;
    if (reply.outcome == deviceExchange::TooLong || reply.outcome == deviceExchange::LineLost)
        result.outcome = readoutParser::CountWrong; // the reply is void; no field count to report
    else
        result = readoutParser(settings, lineEdits().size()).parse(reply.text);
    if (!result.filled()) {
        if (!result.diagnosticAfterBox() && !result.diagnostic.isEmpty())
            qDebug().noquote() << result.diagnostic;
        showReadoutFailure(QString::fromUtf8(readoutParser::failedText));
        if (result.diagnosticAfterBox())
            qDebug().noquote() << result.diagnostic;
        return;
    }
    showForm(result.form);
    selectSmsPreset();
}

void MainWindow::showReadoutFailure(const QString &text)
{
    QMessageBox::critical(this, QString::fromUtf8(readoutParser::errorTitle), text, QMessageBox::Ok);
}

void MainWindow::verify_func()
{
    const frameBuilder::Result record = frameBuilder(settings).expected(formContents());
    settings.frameText = record.text;
    if (!record.accepted()) {
        showReadoutFailure(QString::fromUtf8(frameVerifier::failedText));
        return;
    }
    const auto progress = readProgress(QStringLiteral("Ellenőrzés..."));
    const deviceExchange::Reply reply = readUnitRecord(*progress);
    if (reply.outcome == deviceExchange::Cancelled)
        return;
    if (reply.outcome == deviceExchange::OpenFailed) {
        showReadoutFailure(QString::fromUtf8(readoutParser::portFailedText));
        return;
    }
    const frameVerifier::Result result = frameVerifier(settings).compare(settings.frameText, reply.text);
    settings.frameText = result.expected;
    if (reply.outcome != deviceExchange::Received) { // cut off: there is nothing to compare
        showReadoutFailure(QString::fromUtf8(frameVerifier::failedText));
        return;
    }
    if (result.equal) {
        QMessageBox::information(this, QString::fromUtf8(frameVerifier::successTitle),
                                 QString::fromUtf8(frameVerifier::successText), QMessageBox::Ok);
        return;
    }
    showReadoutFailure(QString::fromUtf8(frameVerifier::failedText));
    qDebug().noquote() << result.expectedLine();
    qDebug().noquote() << result.receivedLine();
}

void MainWindow::allapot()
{
    ui->allapot_gomb->setStyleSheet(QString::fromLatin1(statusReply::buttonRunning));
    ui->allapot_gomb->setEnabled(false);
    ui->terero->setRange(0, 53);
    ui->terero->setStyleSheet(QString());
    ui->terero->reset();

    deviceExchange exchange(settings.port);
    exchange.setProgress([this] {
        ui->terero->setValue(qMax(ui->terero->value(), 0) + 1);
    });
    const deviceExchange::Reply reply = exchange.status(settings.timeout);
    if (reply.outcome != deviceExchange::Received) {
        failStatusQuery();
        return;
    }
    const statusReply status = statusReply::parse(reply.text);
    ui->l_service->setText(status.operatorName);
    if (!status.complete) {
        failStatusQuery();
        return;
    }
    showStatus(status);
    restoreStatusButton();
}

void MainWindow::showStatus(const statusReply &status)
{
    const auto lamp = [](QWidget *widget, bool on, const char *onSheet) {
        widget->setStyleSheet(QString::fromLatin1(on ? onSheet : statusReply::lampOff));
    };
    lamp(ui->w_be2, status.input2, statusReply::inputOn);
    lamp(ui->w_be1, status.input1, statusReply::inputOn);
    lamp(ui->w_ki2, status.output2, statusReply::outputOn);
    lamp(ui->w_ki1, status.output1, statusReply::outputOn);
    ui->l_temp1->setText(status.temperature1);
    ui->l_temp2->setText(status.temperature2);
    lamp(ui->w_tp, status.supply, statusReply::supplyOn);
    ui->terero->setRange(0, 32);
    ui->terero->reset();
    ui->terero->setValue(status.signal);
    ui->terero->setStyleSheet(QString::fromLatin1(status.signalBarSheet()));
}

void MainWindow::failStatusQuery()
{
    restoreStatusButton();
    QMessageBox::critical(this, QString::fromUtf8(readoutParser::errorTitle),
                          QStringLiteral("Sikertelen lekérdezés.\nEllenőrizze az eszközt!"),
                          QMessageBox::Ok);
}

void MainWindow::restoreStatusButton()
{
    ui->allapot_gomb->setStyleSheet(QString::fromLatin1(statusReply::buttonRestored));
    ui->allapot_gomb->setEnabled(true);
}
