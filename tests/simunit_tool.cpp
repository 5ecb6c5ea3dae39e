// Stand-alone simulated model-2 unit on a pseudo-terminal, for trying the
// programs without a unit: it keeps the last loaded record for read-out and
// answers the status query with a fixed status.
//
//   varlok-simunit [COMn] [--paced]

#include "seriallink.h"
#include "simunit.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

namespace {

// What the unit holds before anything is loaded into it.
QByteArray startingRecord()
{
    const QStringList fields = {
        "36309888000", "1234", "0001", "Varlok-2", "1", "Kazan", "Pince", "5",
        "R1BE", "R1KI", "R2BE", "R2KI", "Ajto nyitva", "Ajto zarva", "Mozgas", "Mozgas vege",
        "+5", "+30", "2", "-10", "+25", "2", "Hiba", "Tapfesz hiba", "Tapfesz vissza", "20",
        "36301234567", "A", "36209876543", "S", "0", "P", "0", "P",
        "0", "P", "0", "P", "0", "P", "0", "P", "STOP"};
    return fields.join(QStringLiteral("\r\n")).toLatin1() + "\r\n";
}

const QByteArray statusAnswer = "\"Telekom HU\" 00001 00010 T1:+21.5C T2:+4.0C 00001 0 23,0\r\n";

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    const bool paced = arguments.removeAll(QStringLiteral("--paced")) > 0;
    const QString portName = arguments.value(0, QStringLiteral("COM1"));

    simUnit unit;
    if (!unit.isRunning()) {
        std::fprintf(stderr, "cannot open a pseudo-terminal\n");
        return 1;
    }
    unit.setReadoutReply(startingRecord());
    unit.setStatusReply(statusAnswer);
    unit.setRememberLoads(true);
    unit.setPaced(paced);

    const QString folder = serialLink::portMapFolder();
    std::printf("Simulated model-2 unit on %s%s.\n"
                "Map it as %s with:\n"
                "  mkdir -p '%s' && ln -sfn %s '%s/%s'\n"
                "then choose %s in the program. Ctrl+C ends the unit.\n",
                qPrintable(unit.devicePath()), paced ? " (1200 baud pace)" : "",
                qPrintable(portName), qPrintable(folder), qPrintable(unit.devicePath()),
                qPrintable(folder), qPrintable(portName), qPrintable(portName));
    std::fflush(stdout);
    return app.exec();
}
