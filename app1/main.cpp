#include "mainwindow.h"
#include "programmain.h"

int main(int argc, char *argv[])
{
    return runProgram<MainWindow>(argc, argv);
}
