#include "mainwindow.h"

// Temporary stub while the form is being built.
class Ui_MainWindow {};

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), ui(new Ui_MainWindow) {}
MainWindow::~MainWindow() { delete ui; }
void MainWindow::loadfile(bool) {}
void MainWindow::newfile() {}
void MainWindow::openfile() {}
void MainWindow::save() {}
void MainWindow::saveas() {}
void MainWindow::verify_func() {}
void MainWindow::allapot() {}
void MainWindow::show_port() {}
void MainWindow::setCheck() {}
void MainWindow::setFixChar() {}
void MainWindow::setAckChar() {}
void MainWindow::setSeparators() {}
void MainWindow::setUploadCommand() {}
void MainWindow::setChks8() {}
void MainWindow::setChks16() {}
void MainWindow::setChks24() {}
void MainWindow::setChks32() {}
void MainWindow::download() {}
void MainWindow::readup() {}
void MainWindow::show_info() {}
void MainWindow::nevjegy() {}
void MainWindow::contents() {}
void MainWindow::input_check() {}
void MainWindow::smskpSelect() {}
QList<QLineEdit *> MainWindow::lineEdits() const { return {}; }
QList<QCheckBox *> MainWindow::checkBoxes() const { return {}; }
formValues MainWindow::formContents() const { return {}; }
