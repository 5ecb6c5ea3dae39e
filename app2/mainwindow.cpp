#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "about.h"
#include "dload.h"
#include "exchangerunner.h"
#include "framebuilder.h"
#include "frameverifier.h"
#include "inputhold.h"
#include "paramfile.h"
#include "readoutparser.h"
#include "setcom.h"
#include "statusreply.h"

#include <QDebug>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QProgressDialog>
#include <QTimer>
#include <QUrl>

namespace {

const char defaultsFile[] = "varlok_default.dll";

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : paramWindow(parent), ui(new Ui_MainWindow)
{
    ui->setupUi(this);
    setUpWindow(this);

    QTimer::singleShot(500, this, &MainWindow::newfile);
}

MainWindow::~MainWindow()
{
    stopInputChecks();
    delete ui;
}

void MainWindow::saveas()
{
}

void MainWindow::show_port()
{
    setcom dialog(this);
    dialog.setSettings(settings);
    choosePort(dialog);
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
    if (chooseParamFile(tr("Varlok Files (*.vrk)")))
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
    const int fieldCount = lineEdits().size() + checkBoxes().size();
    const paramFile file = paramFile::read(settings.filePath, fieldCount + paramFile::displayLineCount);
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
    const QString path = askSavePath(tr("Varlok Files (*.vrk)"));
    if (!path.isEmpty())
        writeParamFile(path, QStringLiteral("Save was successful."));
}

void MainWindow::input_check()
{
    checkInput(inputRules::model2());
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
        showLoadRefusal(builder, record, frameBuilder::model2Texts());
        return;
    }
    dload dialog(settings, this);
    dialog.exec();
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

std::optional<deviceExchange::Reply> MainWindow::readUnitRecord(const QString &label)
{
    const auto progress = readProgress(label);
    exchangeRunner runner(settings.port, exchangeTimeLimitMs);
    connect(progress.get(), &QProgressDialog::canceled, &runner, &exchangeRunner::cancel);
    // Closed at its end, the dialog stays closed: any later value would show it again.
    const auto advance = [&progress](int value) {
        if (progress->isVisible())
            progress->setValue(value);
    };
    connect(&runner, &exchangeRunner::progressStep, progress.get(),
            [&] { advance(progress->value() + 1); });
    const deviceExchange::Reply reply = runner.readout();
    if (reply.outcome == deviceExchange::Cancelled)
        return std::nullopt;
    // The dialog stays behind a port failure's box; otherwise its end closes it.
    if (reply.outcome == deviceExchange::OpenFailed) {
        showReadoutFailure(QString::fromUtf8(readoutParser::portFailedText));
        return std::nullopt;
    }
    advance(43);
    return reply;
}

void MainWindow::readup()
{
    const inputHold hold(this);
    const std::optional<deviceExchange::Reply> reply = readUnitRecord(QStringLiteral("Kiolvasás..."));
    if (!reply)
        return;
    readoutParser::Result result;
    if (reply->outcome != deviceExchange::Received)
        result.outcome = readoutParser::CountWrong; // the reply is void; no field count to report
    else
        result = readoutParser(settings, lineEdits().size()).parse(reply->text);
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
    const inputHold hold(this);
    const frameBuilder builder(settings);
    const frameBuilder::Result record = builder.expected(formContents());
    settings.frameText = record.text;
    if (!record.accepted()) {
        showReadoutFailure(frameBuilder::withReason(QString::fromUtf8(frameVerifier::failedText),
                                                    builder.verifyReason(record.refusal)));
        return;
    }
    const std::optional<deviceExchange::Reply> reply = readUnitRecord(QStringLiteral("Ellenőrzés..."));
    if (!reply)
        return;
    const frameVerifier::Result result = frameVerifier(settings).compare(settings.frameText, reply->text);
    settings.frameText = result.expected;
    if (reply->outcome != deviceExchange::Received) { // cut off: there is nothing to compare
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
    queryStatus(&statusReply::parse);
}

void MainWindow::showTemperatures(const statusReply &status)
{
    ui->l_temp1->setText(status.temperature1);
    ui->l_temp2->setText(status.temperature2);
}
