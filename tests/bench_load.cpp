// Times a whole model-2 load against the simulated unit moving its bytes at
// the pace of a 1200 baud line, and compares it with the line's own time.
//
//   bench_load [record length] [runs]

#include "dload.h"
#include "linksettings.h"
#include "simunit.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <cstdio>

namespace {

constexpr int fieldCount = 43;

// A record of 43 fields, each followed by '|', length characters in all.
QString recordOfLength(int length)
{
    QString text;
    const int letters = length - fieldCount;
    for (int i = 0; i < fieldCount; ++i)
        text += QString(letters / fieldCount + (i < letters % fieldCount ? 1 : 0), QLatin1Char('x'))
                + QLatin1Char('|');
    return text;
}

// Milliseconds from the dialog's start to its outcome; -1 when it failed.
qint64 timedLoad(const linkSettings &settings)
{
    QElapsedTimer clock;
    clock.start();
    dload dialog(settings, nullptr);
    auto *buttons = dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    if (!QTest::qWaitFor([buttons] { return buttons->isEnabled(); }, 60000))
        return -1;
    const qint64 elapsed = clock.elapsed();
    const auto *message = dialog.findChild<QLabel *>(QStringLiteral("kiiras"));
    return message->text() == QStringLiteral("Sikeres betöltés.") ? elapsed : -1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int length = qMax(fieldCount, app.arguments().value(1, QStringLiteral("300")).toInt());
    const int runs = qMax(1, app.arguments().value(2, QStringLiteral("3")).toInt());

    simUnit unit;
    if (!unit.mapAs(QStringLiteral("COM1")))
        return 1;
    unit.setPaced(true);
    linkSettings settings;
    settings.frameText = recordOfLength(length);

    // Out: command 5, the record without its separators, CR LF for each of
    // the 44 lines; in: handshake 5, answer 2.
    const int wireBytes = 5 + (length - fieldCount) + 2 * (fieldCount + 1) + 5 + 2;
    const double lineSeconds = wireBytes / 120.0;
    std::printf("record %d characters, %d bytes on the line, %.3f s at 120 bytes/s\n", length,
                wireBytes, lineSeconds);
    for (int run = 1; run <= runs; ++run) {
        unit.clearReceived();
        const qint64 ms = timedLoad(settings);
        if (ms < 0) {
            std::printf("run %d: load failed\n", run);
            return 1;
        }
        std::printf("run %d: %.3f s (%+.1f%% against the line)\n", run, ms / 1000.0,
                    100.0 * (ms / 1000.0 - lineSeconds) / lineSeconds);
    }
    return 0;
}
