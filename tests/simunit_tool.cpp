// Stand-alone simulated unit on a pseudo-terminal, for trying the programs
// without a unit: it keeps the last loaded record for read-out and answers
// the status query with a fixed status of its model (2 unless told); before
// any load it gives back a record of its model.
//
//   varlok-simunit [COMn] [--paced] [--model 1|2]

#include "seriallink.h"
#include "simunit.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

namespace {

// What a unit of the model holds before anything is loaded into it, given
// back as a unit gives it: no leading '+' after the first field.
QByteArray startingRecord(bool thermostat)
{
    QStringList fields = {
        "36309888000", "1234", "0001", "Varlok-2", "1", "Kazan", "Pince", "5",
        "R1BE", "R1KI", "R2BE", "R2KI", "Ajto nyitva", "Ajto zarva", "Mozgas", "Mozgas vege",
        "5", "30", "2", "-10", "25", "2", "Hiba", "Tapfesz hiba", "Tapfesz vissza", "20",
        "36301234567", "A", "36209876543", "S", "0", "P", "0", "P",
        "0", "P", "0", "P", "0", "P", "0", "P", "STOP"};
    if (thermostat) {
        // Fixed second name "A", switching temperature 21, cooling ("-"), hysteresis 1.
        fields[3] = QStringLiteral("Varlok-1");
        fields[6] = QStringLiteral("A");
        fields[19] = QStringLiteral("21");
        fields[20] = QStringLiteral("-");
        fields[21] = QStringLiteral("1");
    }
    return fields.join(QStringLiteral("\r\n")).toLatin1() + "\r\n";
}

const QByteArray model2Status = "\"Telekom HU\" 00001 00010 T1:+21.5C T2:+4.0C 00001 0 23,0\r\n";
// Inputs (positions 3 and 4: inputs 2 and 1), outputs, regulator output,
// temperature, supply, an unused item, signal strength.
const QByteArray model1Status = "\"Telekom HU\" I:011 O:001 R:1 T:+21.5C 00001 0 18,5\r\n";

// The value that follows option in arguments, both taken out; fallback when
// the option is absent, empty when its value is.
QString takeOption(QStringList &arguments, const QString &option, const QString &fallback)
{
    const int at = arguments.indexOf(option);
    if (at < 0)
        return fallback;
    const QString value = arguments.value(at + 1);
    arguments.remove(at, qMin<qsizetype>(2, arguments.size() - at));
    return value;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    const bool paced = arguments.removeAll(QStringLiteral("--paced")) > 0;
    const QString model = takeOption(arguments, QStringLiteral("--model"), QStringLiteral("2"));
    if (model != QLatin1String("1") && model != QLatin1String("2")) {
        std::fprintf(stderr, "--model takes 1 or 2\n");
        return 1;
    }
    const QString portName = arguments.value(0, QStringLiteral("COM1"));

    simUnit unit;
    if (!unit.isRunning()) {
        std::fprintf(stderr, "cannot open a pseudo-terminal\n");
        return 1;
    }
    const bool thermostat = model == QLatin1String("1");
    unit.setReadoutReply(startingRecord(thermostat));
    unit.setStatusReply(thermostat ? model1Status : model2Status);
    unit.setRememberLoads(true);
    unit.setPaced(paced);

    const QString folder = serialLink::portMapFolder();
    std::printf("Simulated model-%s unit on %s%s.\n"
                "Map it as %s with:\n"
                "  mkdir -p '%s' && ln -sfn %s '%s/%s'\n"
                "then choose %s in the program. Ctrl+C ends the unit.\n",
                qPrintable(model), qPrintable(unit.devicePath()), paced ? " (1200 baud pace)" : "",
                qPrintable(portName), qPrintable(folder), qPrintable(unit.devicePath()),
                qPrintable(folder), qPrintable(portName), qPrintable(portName));
    std::fflush(stdout);
    return app.exec();
}
