#include "mainwindow.h"

#include "formfont.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    useFormFont();
    MainWindow window;
    window.setVisible(true);
    return app.exec();
}
