#include "mainwindow.h"

#include "ui_mainwindow1.h"

#include "about1.h"
#include "deviceexchange.h"
#include "dload.h"
#include "framebuilder.h"
#include "help.h"
#include "paramfile.h"
#include "regulatormode.h"
#include "setcom.h"
#include "statusreply.h"
#include "upload.h"
#include "verify.h"

#include <QFile>
#include <QLabel>
#include <QMessageBox>

namespace {

const QString secondThermometerName = QStringLiteral("A");

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : paramWindow(parent), ui(new Ui_MainWindow)
{
    ui->setupUi(this);
    setUpWindow(this);
    connect(ui->h2_high, &QLineEdit::textChanged, this, &MainWindow::temp_changed);
    addMakerLabel();
    // The user cannot edit these; a check that fails on one gives it back its form value.
    keepFixedTexts({ui->be2_nev, ui->h1_hist, ui->rb, ui->h2_hist});
    ui->rb->setVisible(false);
}

MainWindow::~MainWindow()
{
    stopInputChecks();
    delete ui;
}

void MainWindow::addMakerLabel()
{
    auto *maker = new QLabel(this);
    maker->setText(QStringLiteral("© Varlok Kft."));
    statusBar()->insertWidget(2, maker, 0);
}

void MainWindow::saveas()
{
}

void MainWindow::temp_changed()
{
}

void MainWindow::show_port()
{
    setcom dialog(settings.port, settings.baud, this);
    choosePort(dialog);
}

void MainWindow::nevjegy()
{
    (new about1(this))->setVisible(true);
}

void MainWindow::contents()
{
    (new help(QStringLiteral("varlok-1.hlp"), QStringLiteral("ERROR: Nem lehet megnyitni a súgót."), this))
        ->setVisible(true);
}

void MainWindow::newfile()
{
    settings.fileName = QStringLiteral("default16.ui");
    settings.filePath = QStringLiteral("default16.ui");
    loadfile();
}

void MainWindow::openfile()
{
    if (chooseParamFile(tr("Varlok Files (*.rvo)")))
        loadfile();
}

void MainWindow::save()
{
    const QString path = askSavePath(tr("Varlok Files (*.rvo)"));
    if (path.isEmpty())
        return;
    ui->be2_nev->setText(secondThermometerName);
    writeParamFile(path, QStringLiteral("Sikeres mentés."));
}

void MainWindow::loadfile()
{
    if (!QFile::exists(settings.filePath)) {
        QMessageBox::warning(this, QStringLiteral("Error"), QStringLiteral("Cannot open the selected file."),
                             QMessageBox::Ok);
        return;
    }
    const int fieldCount = lineEdits().size() + checkBoxes().size() + radioButtons().size();
    const paramFile file = paramFile::read(settings.filePath, fieldCount);
    if (file.lines().size() != fieldCount) {
        QMessageBox::critical(this, QStringLiteral("File error."),
                              QStringLiteral("A kiválasztott fájlt nem lehet megnyitni."), QMessageBox::Ok);
        return;
    }
    showFileLines(file.lines());
    settings.fileName = paramFile::fileName(settings.filePath);
    settings.frameText = QStringLiteral("");
    fileLabel->setText(settings.fileName);
    selectSmsPreset();
    QMessageBox::information(this, QStringLiteral("File opened."),
                             settings.fileName + QStringLiteral(" sikeresen betöltve."), QMessageBox::Ok);
}

// The fixed second thermometer name and first hysteresis keep their form values.
void MainWindow::showFileLines(const QStringList &lines)
{
    const QList<QLineEdit *> edits = lineEdits();
    const formValues values = paramFile(lines).values(edits.size(), checkBoxes().size() + radioButtons().size());
    for (int i = 0; i < edits.size(); ++i) {
        if (edits[i] == ui->be2_nev || edits[i] == ui->h1_hist)
            continue;
        edits[i]->clear();
        edits[i]->setText(values.texts.at(i));
        edits[i]->setFocus(Qt::OtherFocusReason);
    }
    showFlags(values);
}

void MainWindow::input_check()
{
    checkInput(inputRules::model1());
}

void MainWindow::writeRegulatorMode()
{
    QString checked;
    for (const QRadioButton *button : radioButtons()) {
        if (button->isChecked())
            checked = button->objectName();
    }
    ui->rb->setText(regulatorMode::ofButton(checked));
}

void MainWindow::download()
{
    ui->be2_nev->setText(secondThermometerName);
    settings.frameText = QStringLiteral("");
    writeRegulatorMode();
    const frameBuilder builder(settings);
    const frameBuilder::Result record = builder.load(formContents(), frameBuilder::thermostatLimits());
    settings.frameText = record.text;
    if (!record.accepted()) {
        if (record.refusal == frameBuilder::FirstThermometer)
            clearAndFocus({ui->h1_low, ui->h1_high});
        showLoadRefusal(builder, record, frameBuilder::model1Texts());
        return;
    }
    dload dialog(settings, this, settings.timeout, dload::model1Texts());
    dialog.exec();
}

void MainWindow::readup()
{
    upload dialog(settings, ui->centralWidget, this,
                  {QStringLiteral("Sikeres kiolvasás."),
                   QStringLiteral("Kiolvasás hiba.\nTipp: ellenőrizze az eszközt és a portbeállításokat.")},
                  true);
    dialog.exec();
    // A failed or cancelled read-out leaves the whole form as it was.
    if (!dialog.succeeded())
        return;
    showReadRegulatorMode();
    selectSmsPreset();
}

// rb gets back the "+" that the unit drops, so it holds what the unit holds.
void MainWindow::showReadRegulatorMode()
{
    ui->rb->setText(regulatorMode::readBack(ui->rb->text()));
    const QString button = regulatorMode::buttonFor(ui->rb->text());
    if (auto *checked = ui->centralWidget->findChild<QRadioButton *>(button); checked && !button.isEmpty())
        checked->setChecked(true);
}

void MainWindow::verify_func()
{
    verify dialog(settings, ui->centralWidget, this,
                  {QStringLiteral("Sikeres ellenőrzés."),
                   QStringLiteral("Hiba az ellenőrzés közben.\nEllenőrizze az eszközt.")});
    dialog.exec();
}

void MainWindow::allapot()
{
    queryStatus(&statusReply::parseThermostat);
}

void MainWindow::showTemperatures(const statusReply &status)
{
    setLamp(ui->w_sz_ki, status.regulatorOutput, statusReply::regulatorOn);
    ui->l_temp->setText(status.temperature);
}
