#pragma once

#include "formfont.h"

#include <QApplication>

// What each program's main does: the application with the form font, its
// one window shown until it is closed. The arguments reach only Qt.
template <class Window>
int runProgram(int argc, char *argv[])
{
    QApplication app(argc, argv);
    useFormFont();
    Window window;
    window.setVisible(true);
    return app.exec();
}
