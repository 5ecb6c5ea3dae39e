#include "mainwindow.h"

#include <QApplication>
#include <QFont>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The form is laid out for a narrow 8-point font; wider desktop fonts cut its labels.
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("Liberation Sans")});
    font.setPointSize(8);
    QApplication::setFont(font);
    MainWindow window;
    window.setVisible(true);
    return app.exec();
}
