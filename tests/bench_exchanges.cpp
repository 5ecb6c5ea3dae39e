// Times every exchange of one program against the simulated unit moving its
// bytes both ways at the pace of a 1200 baud line, and sets each beside its
// floor: the line time of its bytes plus the waits the program must make.
//
//   bench_exchanges2 [runs]   the model-2 program
//   bench_exchanges1 [runs]   the thermostat (model-1) program
//
// Each exchange runs twice: on the pseudo-terminal, which reports every byte
// as sent at once, and behind a stand-in driver that holds each byte for a
// few milliseconds before it counts as sent, as a USB adapter's does.
// An exchange that ends before its floor skips a wait the program must make.
//
// Exit status: 0 every exchange met its goal, 1 one missed it or ended before
// its floor, 2 one failed.

#include "driverstandin.h"
#include "mainwindow.h"
#include "modal.h"
#include "simunit.h"
#if VARLOK_MODEL == 2
#include "recordsamples.h"
#include "windowform.h"
#endif

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QtMath>
#include <cstdio>
#include <optional>

namespace {

const QString port = QStringLiteral("COM3");
constexpr double bytesPerSecond = 120.0; // 10 bits a byte at 1200 baud
constexpr int selfCloseMs = 2000;        // a transfer dialog's stay after success
constexpr int signalStrength = 23;       // as the status reply gives it
constexpr int driverHoldMs = 3;          // well within a byte's 8.3 ms on the line

struct exchange
{
    const char *name;
    void (MainWindow::*slot)();
    bool ownDialog;        // runs in a transfer dialog that closes itself after success
    bool endsInSilence;    // its reply ends only after a full per-byte wait
    QStringList messages;  // the dialog's and message boxes' texts on success
};

const QString loaded = QStringLiteral("Sikeres betöltés.");
const QString verified = QStringLiteral("Sikeres ellenőrzés.");

#if VARLOK_MODEL == 1
const QByteArray statusAnswer = "\"Telekom HU\" 00001 00010 001 T:+21.5C 00001 0 23,77\r\n";

const QList<exchange> exchanges = {
    {"load", &MainWindow::download, true, false, {loaded}},
    {"read-out", &MainWindow::readup, true, true, {QStringLiteral("Sikeres kiolvasás.")}},
    {"verify", &MainWindow::verify_func, true, true, {verified}},
    {"status", &MainWindow::allapot, false, true, {}},
};

// A thermostat form as an installer fills it: texts named after their
// fields, two phone numbers.
void fillForm(MainWindow &window)
{
    for (QLineEdit *edit : window.centralWidget()->findChildren<QLineEdit *>())
        edit->setText(edit->isEnabled() ? edit->objectName() : edit->text());
    const QList<QPair<const char *, const char *>> values = {
        {"smskp", "36309888000"}, {"m_pin", "1234"}, {"m_id", "0001"}, {"visszaallas", "1"},
        {"rele_time", "5"}, {"h1_low", "+20"}, {"h1_high", "+24"}, {"h2_high", "+22"}, {"max_sms", "10"},
        {"t1", "36301234567"}, {"t2", "36209876543"}, {"t3", ""}, {"t4", ""}, {"t5", ""}, {"t6", ""},
        {"t7", ""}, {"t8", ""}};
    for (const auto &value : values)
        window.findChild<QLineEdit *>(value.first)->setText(QString::fromLatin1(value.second));
}
#else
const QByteArray statusAnswer = "\"Telekom HU\" 00001 00010 T1:+23.5C T2:-4.0C 00001 0 23,77\r\n";

const QList<exchange> exchanges = {
    {"load", &MainWindow::download, true, false, {loaded}},
    {"read-out", &MainWindow::readup, false, true, {}},
    {"verify", &MainWindow::verify_func, false, true, {verified}},
    {"status", &MainWindow::allapot, false, true, {}},
};

void fillForm(MainWindow &window)
{
    windowForm::fill(window, recordSamples::filledForm());
}
#endif

struct measure
{
    int out = 0;     // bytes from the program to the unit
    int in = 0;      // bytes from the unit to the program
    qint64 ms = 0;   // the slot call
    double floorMs = 0;
};

// Longest any dialog may stay open before the helpers close it.
constexpr int dialogLimitMs = 60000;

// Keeps the dialog's message as it closes itself; a dialog left to the
// helpers to close is noted as such.
void keepClosingMessage(QDialog *dialog, QStringList &messages)
{
    QObject::connect(dialog, &QDialog::finished, [dialog, &messages](int result) {
        auto *label = dialog->findChild<QLabel *>(QStringLiteral("kiiras"));
        if (!label)
            label = dialog->findChild<QLabel *>(QStringLiteral("msg"));
        messages << (result == QDialog::Accepted
                         ? label->text()
                         : QStringLiteral("(closed by the helpers after %1 ms)").arg(dialogLimitMs));
    });
}

// Runs one exchange; empty when it succeeded, else what went wrong.
QString run(MainWindow &window, simUnit &unit, const exchange &which, measure &m)
{
    const int outBefore = int(unit.received().size());
    const int inBefore = unit.sentCount();
    const int loadsBefore = unit.loadsCompleted();
    auto *signalBar = window.findChild<QProgressBar *>(QStringLiteral("terero"));
    signalBar->reset();
    QStringList messages;
    if (which.ownDialog)
        answerNextDialog([&messages](QDialog *dialog) { keepClosingMessage(dialog, messages); });
    QElapsedTimer clock;
    const QList<BoxSeen> boxes = closingBoxes(
        [&] {
            clock.start();
            (window.*which.slot)();
            m.ms = clock.elapsed();
        },
        dialogLimitMs);
    for (const BoxSeen &box : boxes)
        messages << box.text;

    m.out = int(unit.received().size()) - outBefore;
    m.in = unit.sentCount() - inBefore;
    m.floorMs = 1000.0 * (m.out + m.in) / bytesPerSecond
                + (which.endsInSilence ? window.currentSettings().timeout : 0)
                + (which.ownDialog ? selfCloseMs : 0);

    if (messages != which.messages)
        return QStringLiteral("showed \"%1\"").arg(messages.join(QStringLiteral("\", \"")));
    if (which.slot == &MainWindow::download && unit.loadsCompleted() != loadsBefore + 1)
        return QStringLiteral("the record never reached the unit");
    if (which.slot == &MainWindow::allapot && signalBar->value() != signalStrength)
        return QStringLiteral("the status panel was not filled");
    return {};
}

bool meetsGoal(const measure &m)
{
    return m.ms <= 1.02 * m.floorMs + 50;
}

// The clock reads whole ms.
bool endsEarly(const measure &m)
{
    return m.ms < qFloor(m.floorMs);
}

const char *verdict(const measure &m)
{
    if (endsEarly(m))
        return "MISSED: ended before its floor, a wait is skipped";
    return meetsGoal(m) ? "met" : "MISSED";
}

} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = qMax(1, app.arguments().value(1, QStringLiteral("3")).toInt());
    isolateSettings();

    simUnit unit;
    if (!unit.isRunning() || !unit.mapAs(port)) {
        std::fprintf(stderr, "the simulated unit did not start\n");
        return 2;
    }
    unit.setPaced(true);
    unit.setRememberLoads(true); // the loaded record is what read-out and verify get back
    unit.setStatusReply(statusAnswer);
    MainWindow window;
    window.currentSettings().port = port;
    fillForm(window);

    std::printf("model %d, 1200 baud both ways; goal: floor <= measured <= 1.02 * floor + 50 ms\n",
                VARLOK_MODEL);
    std::printf("%-4s %-9s %-11s %6s %6s %9s %9s %7s  %s\n", "run", "exchange", "port", "out", "in", "ms",
                "floor ms", "ratio", "goal");
    bool allMet = true;
    for (int r = 1; r <= runs; ++r) {
        for (const exchange &which : exchanges) {
            for (const bool heldByDriver : {false, true}) {
                std::optional<driverStandIn> driver;
                if (heldByDriver)
                    driver.emplace(driverStandIn::hold, driverHoldMs);
                const QByteArray portKind =
                    heldByDriver ? "driver " + QByteArray::number(driverHoldMs) + " ms" : "pty";
                measure m;
                const QString problem = run(window, unit, which, m);
                if (!problem.isEmpty()) {
                    std::fprintf(stderr, "run %d: %s (%s) failed: %s\n", r, which.name, portKind.constData(),
                                 qPrintable(problem));
                    return 2;
                }
                allMet = allMet && meetsGoal(m) && !endsEarly(m);
                std::printf("%-4d %-9s %-11s %6d %6d %9lld %9.0f %7.3f  %s\n", r, which.name,
                            portKind.constData(), m.out, m.in, static_cast<long long>(m.ms), m.floorMs,
                            m.ms / m.floorMs, verdict(m));
                std::fflush(stdout);
            }
        }
    }
    return allMet ? 0 : 1;
}
