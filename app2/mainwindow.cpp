#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "editingend.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

namespace {

QIcon pictureIcon(const QString &path)
{
    QIcon icon;
    icon.addFile(path, QSize(), QIcon::Normal, QIcon::Off);
    return icon;
}

QString chksName(const linkSettings &settings)
{
    const int mode = settings.sumMode();
    return mode < 0 ? charText(settings.chks) : QStringLiteral("%1bit sum").arg(8 * (mode + 1));
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
    delete ui;
}

void MainWindow::tickChksAction()
{
    QAction *const bySum[] = {ui->action8bit_sum, ui->action16bit_sum, ui->action24bit_sum,
                              ui->action32bit_sum};
    const int mode = settings.sumMode();
    (mode < 0 ? ui->actionFix : bySum[mode])->setChecked(true);
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
             + QStringLiteral("CHKS: %1\n").arg(chksName(settings))
             + QStringLiteral("ACK char: %1\n").arg(charText(settings.ack))
             + QStringLiteral("Checkvalue: %1\n").arg(settings.check)
             + QStringLiteral("Download Separator: %1\n").arg(charText(settings.dlSep))
             + QStringLiteral("Upload Separator: %1\n").arg(charText(settings.upSep))
             + QStringLiteral("Upload Command: %1\n").arg(charText(settings.upCmd));
    }
    QMessageBox::information(this, QStringLiteral("Information"), text, QMessageBox::Ok);
}

// Slots whose operations are still being built.
void MainWindow::loadfile(bool) {}
void MainWindow::newfile() {}
void MainWindow::openfile() {}
void MainWindow::save() {}
void MainWindow::verify_func() {}
void MainWindow::allapot() {}
void MainWindow::show_port() {}
void MainWindow::setFixChar() {}
void MainWindow::setAckChar() {}
void MainWindow::setSeparators() {}
void MainWindow::setUploadCommand() {}
void MainWindow::download() {}
void MainWindow::readup() {}
void MainWindow::nevjegy() {}
void MainWindow::contents() {}
void MainWindow::input_check() {}
void MainWindow::smskpSelect() {}
