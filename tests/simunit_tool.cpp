// Stand-alone simulated unit on a pseudo-terminal, for trying the programs
// without a unit: it keeps the last loaded record for read-out and answers
// the status query with a fixed status of its model (2 unless told); before
// any load it gives back a record of its model.
//
//   varlok-simunit [COMn] [--paced] [--model 1|2] [--help]

#include "seriallink.h"
#include "simunit.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

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

// What the command line asks for; exits with the usage for --help (0) and
// for anything it does not know (2).
struct toolOptions
{
    QString portName;
    bool paced = false;
    bool thermostat = false;
};

toolOptions parseOptions(const QCoreApplication &app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "A simulated Varlok unit on a pseudo-terminal, for trying the programs without a unit."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption paced(QStringLiteral("paced"),
                                   QStringLiteral("Move every byte at the pace of a 1200 baud line."));
    const QCommandLineOption model(QStringLiteral("model"),
                                   QStringLiteral("Play a model-1 (thermostat) or model-2 unit; 2 unless told."),
                                   QStringLiteral("1|2"), QStringLiteral("2"));
    parser.addOptions({paced, model});
    parser.addPositionalArgument(QStringLiteral("COMn"), QStringLiteral("The port name to map it as; COM1 unless told."),
                                 QStringLiteral("[COMn]"));

    QString error;
    if (!parser.parse(app.arguments()))
        error = parser.errorText();
    else if (parser.positionalArguments().size() > 1)
        error = QStringLiteral("Only one port name can be given.");
    else if (parser.value(model) != QLatin1String("1") && parser.value(model) != QLatin1String("2"))
        error = QStringLiteral("--model takes 1 or 2.");
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s\n\n%s", qPrintable(error), qPrintable(parser.helpText()));
        std::exit(2);
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        std::printf("%s", qPrintable(parser.helpText()));
        std::exit(0);
    }
    return {parser.positionalArguments().value(0, QStringLiteral("COM1")), parser.isSet(paced),
            parser.value(model) == QLatin1String("1")};
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const toolOptions options = parseOptions(app);

    simUnit unit;
    if (!unit.isRunning()) {
        std::fprintf(stderr, "cannot open a pseudo-terminal\n");
        return 1;
    }
    unit.setReadoutReply(startingRecord(options.thermostat));
    unit.setStatusReply(options.thermostat ? model1Status : model2Status);
    unit.setRememberLoads(true);
    unit.setPaced(options.paced);

    const QString folder = serialLink::portMapFolder();
    std::printf("Simulated model-%s unit on %s%s.\n"
                "Map it as %s with:\n"
                "  mkdir -p '%s' && ln -sfn %s '%s/%s'\n"
                "then choose %s in the program. Ctrl+C ends the unit.\n",
                options.thermostat ? "1" : "2", qPrintable(unit.devicePath()), options.paced ? " (1200 baud pace)" : "",
                qPrintable(options.portName), qPrintable(folder), qPrintable(unit.devicePath()),
                qPrintable(folder), qPrintable(options.portName), qPrintable(options.portName));
    std::fflush(stdout);
    return app.exec();
}
