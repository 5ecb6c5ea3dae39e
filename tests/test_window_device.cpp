#include "debugcapture.h"
#include "mainwindow.h"
#include "modal.h"
#include "paramfile.h"
#include "pasting.h"
#include "recordsamples.h"
#include "seriallink.h"
#include "simunit.h"
#include "userinput.h"
#include "windowform.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const QString port = QStringLiteral("COM3");
// The status button's own colours, given back after a query.
const QString restoredButton = QStringLiteral("color: rgb(255, 255, 255); background-color: rgb(0, 170, 127);");

QByteArray replyLines(const QStringList &fields)
{
    QByteArray bytes;
    for (const QString &field : fields)
        bytes += field.toLatin1() + "\r\n";
    return bytes;
}

QString styleOf(const MainWindow &window, const char *name)
{
    return window.findChild<QWidget *>(name)->styleSheet();
}

// Presses the read-out progress dialog's cancel button once it shows and
// the unit has had its command.
QProgressDialog *progressDialog()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *progress = qobject_cast<QProgressDialog *>(widget))
            return progress;
    }
    return nullptr;
}

void cancelProgressWhenShown(const simUnit &unit)
{
    auto *poll = new QTimer;
    poll->setInterval(0);
    QObject::connect(poll, &QTimer::timeout, [poll, &unit] {
        QProgressDialog *progress = progressDialog();
        if (unit.received().size() < 5 || !progress || !progress->isVisible())
            return;
        QTest::mouseClick(progress->findChild<QPushButton *>(), Qt::LeftButton);
        poll->stop();
        poll->deleteLater();
    });
    poll->start();
}

// Presses a key on the window as its user would, once the read-out's
// progress dialog has closed while the exchange still waits for the unit.
void pressWhenProgressCloses(MainWindow &window, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    auto *poll = new QTimer;
    poll->setInterval(0);
    QObject::connect(poll, &QTimer::timeout, [poll, &window, key, modifiers, shown = false]() mutable {
        QProgressDialog *progress = progressDialog();
        if (progress && progress->isVisible()) {
            shown = true;
        } else if (progress && shown) {
            userInput::keyClick(&window, key, modifiers);
            poll->stop();
            poll->deleteLater();
        }
    });
    poll->start();
}

// One row for the window's read-out, one for its verify.
void readOutAndVerifyRows()
{
    QTest::addColumn<bool>("verify");
    QTest::newRow("read-out") << false;
    QTest::newRow("verify") << true;
}

// Counts the times a progress dialog is shown.
class progressShows : public QObject
{
public:
    progressShows() { qApp->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        count += event->type() == QEvent::Show && qobject_cast<QProgressDialog *>(watched) ? 1 : 0;
        return false;
    }
};

// The first widget that each key's press reached.
class keyReceivers : public QObject
{
public:
    keyReceivers() { qApp->installEventFilter(this); }
    QHash<int, QObject *> first;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (!first.contains(key))
            first.insert(key, watched);
        return false;
    }
};

QString fileLabel(const MainWindow &window)
{
    return window.statusBar()->findChildren<QLabel *>(Qt::FindDirectChildrenOnly).value(0)->text();
}

// The exchanges of the window that read from the unit.
enum class exchange { readOut, verify, status };

void run(MainWindow &window, exchange which)
{
    switch (which) {
    case exchange::readOut:
        window.readup();
        break;
    case exchange::verify:
        window.verify_func();
        break;
    case exchange::status:
        window.allapot();
        break;
    }
}

// The sample form with another unit name, written to a parameter file at path.
formValues fileFormAt(const QString &path)
{
    formValues form = recordSamples::filledForm();
    form.texts[3] = QStringLiteral("From file");
    paramFile::write(path, form);
    return form;
}

QString statusPanel(const MainWindow &window)
{
    return window.findChild<QLabel *>("l_service")->text() + styleOf(window, "w_be1")
           + window.findChild<QLabel *>("l_temp1")->text();
}

} // namespace

Q_DECLARE_METATYPE(exchange)

class WindowDeviceTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void readOutFillsTheForm();
    void readOutWithoutStopWord();
    void readOutRefusals_data();
    void readOutRefusals();
    void readOutPortFailure();
    void readOutCancelledFreesThePort();
    void cancelEndsAStreamWithoutLineEnds_data();
    void cancelEndsAStreamWithoutLineEnds();
    void exchangeTimeLimitFails_data();
    void exchangeTimeLimitFails();
    void readOutSelectsSmsPreset_data();
    void readOutSelectsSmsPreset();
    void brokenReplyLeavesTheFormAlone_data();
    void brokenReplyLeavesTheFormAlone();
    void verifyAfterReadOut();
    void verifyReportsDifference();
    void verifyIgnoresLoadRules_data();
    void verifyIgnoresLoadRules();
    void statusFillsThePanel();
    void statusLampsFollowTheReply();
    void statusWithTooFewItems();
    void statusAfterACancelledReadOut();
    void statusKeepsTheWindowRunning();
    void closeRequestWaitsForTheStatus();
    void keysTypedAheadOpenAFile();
    void clicksWaitForTheStatus();
    void statusKeepsTheFocus_data();
    void statusKeepsTheFocus();
    void inputWaitsForTheExchange_data();
    void inputWaitsForTheExchange();
    void progressShowsOnce();
    void verifyNamesTheSeparator();
    void loadRefusesTheForm_data();
    void loadRefusesTheForm();
    void loadRefusesCloseLimits_data();
    void loadRefusesCloseLimits();
    void loadFromShortcut();
    void loadedRecordReadsBackAndVerifies();

private:
    // A paced unit whose status query lasts about a second.
    void answerStatusAtLinePace();
    // The sample form in the window, shown and active; false if it never became active.
    bool showSampleForm();

    std::unique_ptr<simUnit> unit;
    std::unique_ptr<MainWindow> window;
};

void WindowDeviceTest::answerStatusAtLinePace()
{
    unit->setPaced(true);
    unit->setStatusReply("\"Telekom HU\" 00001 00010 T1:+23.5C T2:-4.0C 00001 0 23,77\r\n");
    window->currentSettings().timeout = 300;
}

bool WindowDeviceTest::showSampleForm()
{
    windowForm::fill(*window, recordSamples::filledForm());
    window->move(200, 150); // away from the screen's origin: window and screen positions differ
    window->show();
    return QTest::qWaitForWindowActive(window.get());
}

void WindowDeviceTest::init()
{
    isolateSettings();
    unit = std::make_unique<simUnit>();
    QVERIFY(unit->isRunning());
    QVERIFY(unit->mapAs(port));
    window = std::make_unique<MainWindow>();
    window->currentSettings().port = port;
}

void WindowDeviceTest::cleanup()
{
    window.reset();
    unit.reset();
}

void WindowDeviceTest::readOutFillsTheForm()
{
    unit->setReadoutReply(replyLines(recordSamples::recordFields()));
    const QList<BoxSeen> seen = closingBoxes([&] { window->readup(); });
    QVERIFY(seen.isEmpty());
    QCOMPARE(unit->received(), QByteArray("!Rd\r\n"));
    const formValues form = windowForm::read(*window);
    QCOMPARE(form.texts, recordSamples::filledForm().texts);
    QCOMPARE(form.flags, recordSamples::filledForm().flags);
}

void WindowDeviceTest::readOutWithoutStopWord()
{
    window->findChild<QLineEdit *>("riaszto_stop")->setText(QStringLiteral("old"));
    unit->setReadoutReply(replyLines(recordSamples::recordFields().mid(0, 42)));
    const QList<BoxSeen> seen = closingBoxes([&] { window->readup(); });
    QVERIFY(seen.isEmpty());
    QCOMPARE(window->findChild<QLineEdit *>("riaszto_stop")->text(), QString());
    QCOMPARE(window->findChild<QLineEdit *>("m_nev")->text(), QStringLiteral("Garage"));
}

void WindowDeviceTest::readOutRefusals_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("diagnostic");
    QTest::newRow("41 lines") << replyLines(recordSamples::recordFields().mid(0, 41))
                              << QStringLiteral("db error, allinputs: 35 data: 41");
    QTest::newRow("silent unit") << QByteArray() << QStringLiteral("sep error");
}

void WindowDeviceTest::readOutRefusals()
{
    QFETCH(QByteArray, reply);
    QFETCH(QString, diagnostic);
    unit->setReadoutReply(reply);
    const formValues before = windowForm::read(*window);
    debugCapture debug;
    const QList<BoxSeen> seen = closingBoxes([&] { window->readup(); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].icon, int(QMessageBox::Critical));
    QCOMPARE(seen[0].title, QStringLiteral("Hiba"));
    QCOMPARE(seen[0].text, QStringLiteral("Sikertelen kiolvasás.\nEllenőrizze az eszközt, és próbálja meg újra!"));
    QVERIFY2(debug.lines().contains(diagnostic), qPrintable(debug.lines().join('\n')));
    QCOMPARE(windowForm::read(*window).texts, before.texts);
}

void WindowDeviceTest::readOutPortFailure()
{
    QVERIFY(QFile::link(QStringLiteral("/nonexistent/tty"), serialLink::portMapFolder() + "/COM9"));
    window->currentSettings().port = QStringLiteral("COM9");
    debugCapture debug;
    const QList<BoxSeen> seen = closingBoxes([&] { window->readup(); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].text, QStringLiteral("Sikertelen kiolvasás.\nNem lehet megnyitni a portot."));
    QVERIFY(debug.lines().contains(QStringLiteral("unable to open comport")));
}

void WindowDeviceTest::readOutCancelledFreesThePort()
{
    unit->setReadoutReply(replyLines(recordSamples::recordFields()));
    const formValues before = windowForm::read(*window);
    cancelProgressWhenShown(*unit);
    const QList<BoxSeen> seen = closingBoxes([&] { window->readup(); });
    QVERIFY(seen.isEmpty());
    QCOMPARE(windowForm::read(*window).texts, before.texts);
    serialLink link;
    QVERIFY(link.open(port));
}

void WindowDeviceTest::cancelEndsAStreamWithoutLineEnds_data()
{
    readOutAndVerifyRows();
}

void WindowDeviceTest::cancelEndsAStreamWithoutLineEnds()
{
    QFETCH(bool, verify);
    // Three seconds of bytes at line pace, none of them a CR.
    unit->setPaced(true);
    unit->setReadoutReply(QByteArray(360, 'x'));
    windowForm::fill(*window, recordSamples::filledForm());
    cancelProgressWhenShown(*unit);
    const QList<BoxSeen> seen =
        closingBoxes([&] { run(*window, verify ? exchange::verify : exchange::readOut); });
    QVERIFY2(seen.isEmpty(), qPrintable(seen.value(0).text));
    QCOMPARE(windowForm::read(*window).texts, recordSamples::filledForm().texts);
    // The port is free again while the unit is still sending.
    serialLink link;
    QVERIFY(link.setUp(port, 1000, 0));
    char byte = 0;
    QVERIFY2(link.readByte(byte), "the stream had ended before the cancel took effect");
    QCOMPARE(byte, 'x');
}

void WindowDeviceTest::exchangeTimeLimitFails_data()
{
    QTest::addColumn<bool>("status");
    QTest::addColumn<QString>("box");
    QTest::newRow("read-out") << false
                              << "Sikertelen kiolvasás.\nEllenőrizze az eszközt, és próbálja meg újra!";
    QTest::newRow("status") << true << "Sikertelen lekérdezés.\nEllenőrizze az eszközt!";
}

void WindowDeviceTest::exchangeTimeLimitFails()
{
    QFETCH(bool, status);
    QFETCH(QString, box);
    // Complete replies; only the unit's closing silence (1500 ms) outlasts the limit.
    unit->setReadoutReply(replyLines(recordSamples::recordFields()));
    unit->setStatusReply("\"Op\" 00011 00011 T1:20C T2:21C 00001 0 23\r\n");
    window->setExchangeTimeLimit(300);
    const formValues before = windowForm::read(*window);
    window->findChild<QLabel *>("l_service")->setText(QStringLiteral("old"));
    debugCapture debug;
    const QList<BoxSeen> seen = closingBoxes([&] {
        if (status)
            window->allapot();
        else
            window->readup();
    });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].text, box);
    QCOMPARE(debug.lines(), QStringList{QStringLiteral("reply too long: not over within 300 ms")});
    QCOMPARE(windowForm::read(*window).texts, before.texts);
    QCOMPARE(window->findChild<QLabel *>("l_service")->text(), QStringLiteral("old"));
}

void WindowDeviceTest::readOutSelectsSmsPreset_data()
{
    QTest::addColumn<QString>("smsCentre");
    QTest::addColumn<QString>("preset");
    QTest::addColumn<bool>("editable");

    QTest::newRow("an operator's number") << "36709996500" << "Vodafone" << false;
    QTest::newRow("a number of no operator") << "3630 111" << QStringLiteral("Egyéni") << true;
}

void WindowDeviceTest::readOutSelectsSmsPreset()
{
    QFETCH(QString, smsCentre);
    QFETCH(QString, preset);
    QFETCH(bool, editable);
    auto *combo = window->findChild<QComboBox *>("smskp_combo");
    combo->setCurrentText(QStringLiteral("Telenor"));
    QStringList fields = recordSamples::recordFields();
    fields[0] = smsCentre;
    unit->setReadoutReply(replyLines(fields));
    QVERIFY(closingBoxes([&] { window->readup(); }).isEmpty());
    QCOMPARE(combo->currentText(), preset);
    auto *smskp = window->findChild<QLineEdit *>("smskp");
    QCOMPARE(smskp->text(), smsCentre);
    QCOMPARE(smskp->isEnabled(), editable);
}

void WindowDeviceTest::brokenReplyLeavesTheFormAlone_data()
{
    QTest::addColumn<exchange>("which");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("vanishAfter"); // bytes of the reply before the unit goes (-1: it stays)
    QTest::addColumn<QString>("boxText");
    QTest::addColumn<QString>("diagnostic"); // how the one line written begins

    const QByteArray record = replyLines(recordSamples::recordFields());
    const QByteArray status = "\"Telekom HU\" 00001 00010 T1:+23.5C T2:-4.0C 00001 0 23,77\r\n";
    const QString readOutBox = QStringLiteral("Sikertelen kiolvasás.\nEllenőrizze az eszközt, és próbálja meg újra!");
    const QString verifyBox = QStringLiteral("Sikertelen ellenőrzés.");
    const QString statusBox = QStringLiteral("Sikertelen lekérdezés.\nEllenőrizze az eszközt!");
    const QString lost = QStringLiteral("comport lost: ");
    const QString cut = QStringLiteral("reply cut: the unit fell silent inside a line");
    QTest::newRow("read-out after line 42")
        << exchange::readOut << record << int(replyLines(recordSamples::recordFields().mid(0, 42)).size())
        << readOutBox << lost;
    QTest::newRow("verify after the whole record")
        << exchange::verify << record << int(record.size()) << verifyBox << lost;
    QTest::newRow("status after the whole reply")
        << exchange::status << status << int(status.size()) << statusBox << lost;
    // A unit that goes quiet inside a line, as a pulled cable leaves it.
    const QByteArray cutRecord = record.chopped(4); // "...\r\nST" of "STOP\r\n"
    QTest::newRow("read-out cut inside its last line") << exchange::readOut << cutRecord << -1 << readOutBox << cut;
    QTest::newRow("verify cut inside its last line") << exchange::verify << cutRecord << -1 << verifyBox << cut;
    QTest::newRow("status cut inside its signal item")
        << exchange::status << status.left(status.indexOf(',')) << -1 << statusBox << cut;
}

void WindowDeviceTest::brokenReplyLeavesTheFormAlone()
{
    QFETCH(exchange, which);
    QFETCH(QByteArray, reply);
    QFETCH(int, vanishAfter);
    QFETCH(QString, boxText);
    QFETCH(QString, diagnostic);
    unit->setPaced(true);
    unit->setReadoutReply(reply);
    unit->setStatusReply(reply);
    unit->setVanishAfter(vanishAfter);
    if (which == exchange::verify) // a form the record would verify against
        windowForm::fill(*window, recordSamples::filledForm());
    const formValues before = windowForm::read(*window);
    const QString panelBefore = statusPanel(*window);
    debugCapture debug;

    const QList<BoxSeen> seen = closingBoxes([&] { run(*window, which); });

    QCOMPARE(unit->hasVanished(), vanishAfter >= 0);
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].icon, int(QMessageBox::Critical));
    QCOMPARE(seen[0].text, boxText);
    QCOMPARE(windowForm::read(*window).texts, before.texts);
    QCOMPARE(windowForm::read(*window).flags, before.flags);
    QCOMPARE(statusPanel(*window), panelBefore);
    const QStringList lines = debug.lines();
    QVERIFY2(lines.size() == 1 && lines[0].startsWith(diagnostic), qPrintable(lines.join('\n')));
}

void WindowDeviceTest::verifyAfterReadOut()
{
    unit->setReadoutReply(replyLines(recordSamples::recordFields()));
    closingBoxes([&] { window->readup(); });
    const QList<BoxSeen> seen = closingBoxes([&] { window->verify_func(); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].icon, int(QMessageBox::Information));
    QCOMPARE(seen[0].title, QStringLiteral("Ellenőrzés"));
    QCOMPARE(seen[0].text, QStringLiteral("Sikeres ellenőrzés."));
}

void WindowDeviceTest::verifyReportsDifference()
{
    windowForm::fill(*window, recordSamples::filledForm());
    QStringList fields = recordSamples::recordFields();
    fields[3] = QStringLiteral("Cellar");
    unit->setReadoutReply(replyLines(fields));
    debugCapture debug;
    const QList<BoxSeen> seen = closingBoxes([&] { window->verify_func(); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].icon, int(QMessageBox::Critical));
    QCOMPARE(seen[0].text, QStringLiteral("Sikertelen ellenőrzés."));
    const QStringList lines = debug.lines();
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines[0].startsWith(QStringLiteral("o: \"36309888000|1234|5678|Garage|")));
    QVERIFY(lines[1].startsWith(QStringLiteral("r: \"36309888000|1234|5678|Cellar|")));
}

void WindowDeviceTest::verifyIgnoresLoadRules_data()
{
    QTest::addColumn<int>("lowField");
    QTest::addColumn<int>("highField");
    QTest::addColumn<int>("check");

    // Limits a load refuses, or the checksum field a load adds: a verify
    // compares what the unit holds and neither applies.
    QTest::newRow("first thermometer's close limits") << recordSamples::h1Low << recordSamples::h1High << 0;
    QTest::newRow("second thermometer's close limits") << recordSamples::h2Low << recordSamples::h2High << 0;
    QTest::newRow("checking on") << -1 << -1 << 1;
}

void WindowDeviceTest::verifyIgnoresLoadRules()
{
    QFETCH(int, lowField);
    QFETCH(int, highField);
    QFETCH(int, check);
    formValues form = recordSamples::filledForm();
    QStringList fields = recordSamples::recordFields();
    if (lowField >= 0) {
        form.texts[lowField] = fields[lowField] = QStringLiteral("20");
        form.texts[highField] = fields[highField] = QStringLiteral("22");
    }
    windowForm::fill(*window, form);
    window->currentSettings().check = check;
    unit->setReadoutReply(replyLines(fields));
    const QList<BoxSeen> seen = closingBoxes([&] { window->verify_func(); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].text, QStringLiteral("Sikeres ellenőrzés."));
}

void WindowDeviceTest::statusFillsThePanel()
{
    unit->setStatusReply("\"Telekom HU\" 00001 00010 T1:+23.5C T2:-4.0C 00001 0 23,77\r\n");
    const QList<BoxSeen> seen = closingBoxes([&] { window->allapot(); });
    QVERIFY(seen.isEmpty());
    QCOMPARE(unit->received(), QByteArray("!??\r\n"));
    QCOMPARE(window->findChild<QLabel *>("l_service")->text(), QStringLiteral("\"Telekom HU\""));
    QCOMPARE(styleOf(*window, "w_be1"), QStringLiteral("background-color: rgb(0, 170, 255);"));
    QCOMPARE(styleOf(*window, "w_be2"), QStringLiteral("background-color: rgb(180, 180, 180);"));
    QCOMPARE(styleOf(*window, "w_ki2"), QStringLiteral("background-color: rgb(255, 170, 0);"));
    QCOMPARE(styleOf(*window, "w_ki1"), QStringLiteral("background-color: rgb(180, 180, 180);"));
    QCOMPARE(styleOf(*window, "w_tp"), QStringLiteral("background-color: rgb(0, 170, 0);"));
    QCOMPARE(window->findChild<QLabel *>("l_temp1")->text(), QStringLiteral("+23.5"));
    QCOMPARE(window->findChild<QLabel *>("l_temp2")->text(), QStringLiteral("-4.0"));
    auto *bar = window->findChild<QProgressBar *>("terero");
    QCOMPARE(bar->maximum(), 32);
    QCOMPARE(bar->value(), 23);
    QCOMPARE(bar->styleSheet(), QStringLiteral("QProgressBar::chunk { background-color: #05B8CC; }"));
    auto *button = window->findChild<QPushButton *>("allapot_gomb");
    QVERIFY(button->isEnabled());
    QCOMPARE(button->styleSheet(), restoredButton);
}

void WindowDeviceTest::statusLampsFollowTheReply()
{
    // The other member of every pair lit, and the supply lamp off.
    unit->setStatusReply("\"Op\" 00010 00001 T1:+1.0C T2:+2.0C 00000 0 5,0\r\n");
    QVERIFY(closingBoxes([&] { window->allapot(); }).isEmpty());
    const QString on = QStringLiteral("background-color: rgb(0, 170, 255);");
    const QString off = QStringLiteral("background-color: rgb(180, 180, 180);");
    QCOMPARE(styleOf(*window, "w_be1"), off);
    QCOMPARE(styleOf(*window, "w_be2"), on);
    QCOMPARE(styleOf(*window, "w_ki2"), off);
    QCOMPARE(styleOf(*window, "w_ki1"), QStringLiteral("background-color: rgb(255, 170, 0);"));
    QCOMPARE(styleOf(*window, "w_tp"), off);
}

void WindowDeviceTest::statusWithTooFewItems()
{
    unit->setStatusReply("\"Op\" 00011 00011 T1:20C T2:21C 00001\r\n");
    auto *button = window->findChild<QPushButton *>("allapot_gomb");
    bool restoredUnderBox = false;
    lookUnderNextBox([&] { restoredUnderBox = button->isEnabled() && button->styleSheet() == restoredButton; });
    const QList<BoxSeen> seen = closingBoxes([&] { window->allapot(); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].title, QStringLiteral("Hiba"));
    QCOMPARE(seen[0].text, QStringLiteral("Sikertelen lekérdezés.\nEllenőrizze az eszközt!"));
    QCOMPARE(window->findChild<QLabel *>("l_service")->text(), QStringLiteral("\"Op\""));
    QCOMPARE(styleOf(*window, "w_be1"), QStringLiteral("background-color: rgb(180, 180, 180);"));
    QCOMPARE(window->findChild<QLabel *>("l_temp1")->text(), QStringLiteral("---"));
    QVERIFY(button->isEnabled());
    QVERIFY2(restoredUnderBox, "the status button was still grey while the failure box was up");
}

void WindowDeviceTest::statusAfterACancelledReadOut()
{
    // The unit goes on sending the read-out for seconds after the cancel;
    // the status query at once must not take that rest for its reply.
    answerStatusAtLinePace();
    unit->setReadoutReply(replyLines(recordSamples::recordFields()));
    cancelProgressWhenShown(*unit);
    QVERIFY(closingBoxes([&] { window->readup(); }).isEmpty());
    const QList<BoxSeen> seen = closingBoxes([&] { window->allapot(); }, 20000);
    QVERIFY2(seen.isEmpty(), qPrintable(seen.value(0).text));
    QCOMPARE(unit->received(), QByteArray("!Rd\r\n!??\r\n"));
    QCOMPARE(statusPanel(*window), QStringLiteral("\"Telekom HU\"background-color: rgb(0, 170, 255);+23.5"));
    QCOMPARE(window->findChild<QLabel *>("l_temp2")->text(), QStringLiteral("-4.0"));
    QCOMPARE(window->findChild<QProgressBar *>("terero")->value(), 23);
}

void WindowDeviceTest::statusKeepsTheWindowRunning()
{
    answerStatusAtLinePace();
    auto *button = window->findChild<QPushButton *>("allapot_gomb");
    // A timer of the window's thread runs (as painting does) while the query does.
    int ticksDuringQuery = 0;
    QTimer ticker;
    ticker.setInterval(10);
    connect(&ticker, &QTimer::timeout, [&] { ticksDuringQuery += button->isEnabled() ? 0 : 1; });
    ticker.start();
    const QList<BoxSeen> seen = closingBoxes([&] { window->allapot(); });
    QVERIFY(seen.isEmpty());
    QVERIFY2(ticksDuringQuery > 0, "the window's events waited for the whole query");
    QCOMPARE(window->findChild<QProgressBar *>("terero")->value(), 23);
}

void WindowDeviceTest::closeRequestWaitsForTheStatus()
{
    answerStatusAtLinePace();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    bool closedAfter = false;
    const QList<BoxSeen> seen = closingBoxes([&] {
        QTimer::singleShot(0, [&] { userInput::closeRequest(window.get()); });
        window->allapot();
        const bool stillOpen = window->isVisible();
        closedAfter = stillOpen && QTest::qWaitFor([&] { return !window->isVisible(); }, 5000);
    });
    QVERIFY(seen.isEmpty());
    QVERIFY2(closedAfter, "the close request was taken during the query, or never");
    QCOMPARE(window->findChild<QProgressBar *>("terero")->value(), 23);
}

void WindowDeviceTest::keysTypedAheadOpenAFile()
{
    answerStatusAtLinePace();
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("unit.vrk"));
    const formValues inFile = fileFormAt(path);
    QVERIFY2(QFile::exists(path), "the parameter file was not written");
    QVERIFY(showSampleForm());
    windowForm::edits(*window)[1]->setFocus(); // the PIN: keys that go astray land there

    bool opened = false;
    const QList<BoxSeen> seen = closingBoxes([&] {
        QTimer::singleShot(0, [&] {
            userInput::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
            userInput::type(window.get(), path);
            userInput::keyClick(window.get(), Qt::Key_Return, Qt::NoModifier);
        });
        window->allapot();
        opened = QTest::qWaitFor([&] { return fileLabel(*window) == QStringLiteral("unit.vrk"); }, 5000);
    });
    QVERIFY2(opened, "the file typed ahead during the query was never opened");
    QCOMPARE(seen.size(), 1); // no box of a field check
    QCOMPARE(seen[0].text, QStringLiteral("unit.vrk successfully loaded."));
    QCOMPARE(windowForm::read(*window).texts, inFile.texts);
    QCOMPARE(unit->received(), QByteArray("!??\r\n"));
}

void WindowDeviceTest::clicksWaitForTheStatus()
{
    answerStatusAtLinePace();
    unit->setReadoutReply(replyLines(recordSamples::recordFields()));
    QVERIFY(showSampleForm());

    QByteArray atQueryEnd;
    bool verified = false;
    const QList<BoxSeen> seen = closingBoxes([&] {
        QTimer::singleShot(0, [&] {
            userInput::click(window->findChild<QPushButton *>("allapot_gomb")); // greyed now
            userInput::click(window->findChild<QPushButton *>("verify_gomb"));
        });
        window->allapot();
        atQueryEnd = unit->received();
        verified = QTest::qWaitFor([&] { return unit->received().contains("!Rd"); }, 5000);
    });
    QVERIFY2(verified, "the click on the verify button never took effect");
    QCOMPARE(atQueryEnd, QByteArray("!??\r\n"));
    QCOMPARE(unit->received(), QByteArray("!??\r\n!Rd\r\n")); // no second query
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].text, QStringLiteral("Sikeres ellenőrzés."));
}

void WindowDeviceTest::statusKeepsTheFocus_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("boxes");
    QTest::newRow("panel filled") << QByteArray("\"Op\" 00011 00011 T1:20C T2:21C 00001 0 23\r\n") << 0;
    QTest::newRow("too few items") << QByteArray("\"Op\" 00011 00011 T1:20C\r\n") << 1;
}

void WindowDeviceTest::statusKeepsTheFocus()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, boxes);
    answerStatusAtLinePace();
    unit->setStatusReply(reply);
    QVERIFY(showSampleForm());
    auto *button = window->findChild<QPushButton *>("allapot_gomb");
    button->setFocus(Qt::MouseFocusReason); // as the click gives it, after the check of the field it left
    const formValues before = windowForm::read(*window);
    const keyReceivers keys;

    // A letter typed during the query, Down once it is over and no box is up.
    QTimer poll;
    bool typed = false;
    QWidget *focusDuring = button;
    QWidget *focusAfter = nullptr;
    connect(&poll, &QTimer::timeout, [&] {
        if (!typed && !button->isEnabled()) {
            focusDuring = QApplication::focusWidget();
            userInput::type(window.get(), QStringLiteral("v"));
            typed = true;
        } else if (typed && button->isEnabled() && !QApplication::activeModalWidget()) {
            focusAfter = QApplication::focusWidget();
            userInput::keyClick(window.get(), Qt::Key_Down, Qt::NoModifier);
            poll.stop();
        }
    });
    poll.start(0);
    const QList<BoxSeen> seen = closingBoxes([&] {
        userInput::click(button);
        (void)QTest::qWaitFor([&] { return keys.first.contains(Qt::Key_Down); }, 10000);
    });
    QCOMPARE(seen.size(), boxes);
    QVERIFY2(keys.first.contains(Qt::Key_Down), "the keys typed around the query never arrived");
    QCOMPARE(focusDuring, nullptr);
    QCOMPARE(focusAfter, button);
    // Both keys reach the button; Down then moves the focus on, as arrows do on a push button.
    QCOMPARE(keys.first.value(Qt::Key_V), button);
    QCOMPARE(keys.first.value(Qt::Key_Down), button);
    QCOMPARE(windowForm::read(*window).texts, before.texts);
}

void WindowDeviceTest::inputWaitsForTheExchange_data()
{
    readOutAndVerifyRows();
}

void WindowDeviceTest::inputWaitsForTheExchange()
{
    QFETCH(bool, verify);
    // 42 lines close the progress dialog; the unit's silence is still awaited.
    unit->setPaced(true);
    unit->setReadoutReply(replyLines(recordSamples::recordFields().mid(0, 42)));
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("unit.vrk"));
    const formValues inFile = fileFormAt(path);
    QVERIFY2(QFile::exists(path), "the parameter file was not written");
    QVERIFY(showSampleForm());

    pressWhenProgressCloses(*window, Qt::Key_O, Qt::ControlModifier);
    answerFileDialog(path);
    bool opened = false;
    const QList<BoxSeen> seen = closingBoxes([&] {
        run(*window, verify ? exchange::verify : exchange::readOut);
        opened = QTest::qWaitFor([&] { return fileLabel(*window) == QStringLiteral("unit.vrk"); }, 5000);
    });
    QVERIFY2(opened, "the file chosen during the exchange was never opened");
    // The file opened after the exchange: its box is the last, its form stays.
    QCOMPARE(seen.last().text, QStringLiteral("unit.vrk successfully loaded."));
    QCOMPARE(windowForm::read(*window).texts, inFile.texts);
    QCOMPARE(unit->received(), QByteArray("!Rd\r\n"));
}

void WindowDeviceTest::progressShowsOnce()
{
    unit->setReadoutReply(replyLines(recordSamples::recordFields()));
    const progressShows shows;
    QVERIFY(closingBoxes([&] { window->readup(); }).isEmpty());
    QCOMPARE(windowForm::read(*window).texts, recordSamples::filledForm().texts);
    QCOMPARE(shows.count, 1);
}

void WindowDeviceTest::verifyNamesTheSeparator()
{
    formValues form = recordSamples::filledForm();
    form.texts[3] = QStringLiteral("Gar|age");
    windowForm::fill(*window, form);
    const QList<BoxSeen> seen = closingBoxes([&] { window->verify_func(); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].text, QStringLiteral("Sikertelen ellenőrzés.\nThe character | cannot be used in a field."));
    QVERIFY(unit->received().isEmpty());
}

void WindowDeviceTest::loadRefusesTheForm_data()
{
    QTest::addColumn<QList<int>>("fields");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("box");

    QTest::newRow("empty field before an accent") << QList<int>{3, 5} << QStringList{"Kés", ""}
                                                  << "Please fill each form.";
    QTest::newRow("line break") << QList<int>{3} << QStringList{"Gar\rage"}
                                << "The field \"Készülék neve:\" holds a line break, which would reach the unit as "
                                   "a line of its own. Remove it and load again.";
    QTest::newRow("line break in the first field") << QList<int>{0} << QStringList{"0630\n1"}
                                                   << "The field \"SMS központ:\" holds a line break, which would "
                                                      "reach the unit as a line of its own. Remove it and load again.";
}

void WindowDeviceTest::loadRefusesTheForm()
{
    QFETCH(QList<int>, fields);
    QFETCH(QStringList, texts);
    QFETCH(QString, box);
    formValues form = recordSamples::filledForm();
    for (int i = 0; i < fields.size(); ++i)
        form.texts[fields.at(i)] = texts.at(i);
    windowForm::fill(*window, form);
    const QList<BoxSeen> seen = closingBoxes([&] { window->download(); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].icon, int(QMessageBox::Critical));
    QCOMPARE(seen[0].title, QStringLiteral("Download error."));
    QCOMPARE(seen[0].text, box);
    QCOMPARE(window->currentSettings().frameText, QString());
    QVERIFY(unit->received().isEmpty());
}

void WindowDeviceTest::loadRefusesCloseLimits_data()
{
    QTest::addColumn<int>("low");  // the refused pair's fields
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("otherLow"); // the other pair's, left as they were
    QTest::addColumn<int>("otherHigh");
    QTest::addColumn<QString>("text");

    QTest::newRow("first thermometer")
        << recordSamples::h1Low << recordSamples::h1High << recordSamples::h2Low << recordSamples::h2High
        << QStringLiteral("1. thermometer lower value must be less than the upper value - 2 °C.");
    QTest::newRow("second thermometer")
        << recordSamples::h2Low << recordSamples::h2High << recordSamples::h1Low << recordSamples::h1High
        << QStringLiteral("2. thermometer lower value must be less than the upper value - 2 °C.");
}

void WindowDeviceTest::loadRefusesCloseLimits()
{
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(int, otherLow);
    QFETCH(int, otherHigh);
    QFETCH(QString, text);
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    formValues form = recordSamples::filledForm();
    form.texts[low] = QStringLiteral("20");
    form.texts[high] = QStringLiteral("22");
    windowForm::fill(*window, form);
    const QList<BoxSeen> seen = closingBoxes([&] { window->download(); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].text, text);
    const QList<QLineEdit *> edits = windowForm::edits(*window);
    QCOMPARE(edits[low]->text(), QString());
    QCOMPARE(edits[high]->text(), QString());
    // The other pair keeps its values (the field check may have signed them).
    QCOMPARE(edits[otherLow]->text().toInt(), form.texts[otherLow].toInt());
    QCOMPARE(edits[otherHigh]->text().toInt(), form.texts[otherHigh].toInt());
    QCOMPARE(window->focusWidget(), edits[high]);
    QVERIFY(unit->received().isEmpty());
}

void WindowDeviceTest::loadFromShortcut()
{
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    windowForm::fill(*window, recordSamples::filledForm());
    // The unit name pasted as a cell copied with its line end.
    pasteOver(window->findChild<QLineEdit *>("m_nev"), QStringLiteral("Garage\r\n"));
    // The load dialog closes itself two seconds after the unit's 'O'.
    const QList<BoxSeen> seen = closingBoxes([&] {
        QTest::keyClick(window.get(), Qt::Key_D, Qt::ControlModifier);
    });
    QVERIFY(seen.isEmpty());
    QCOMPARE(unit->loadsCompleted(), 1);
    const QByteArray expected = "!WR\r\n" + replyLines(recordSamples::recordFields()) + "\r\n";
    QCOMPARE(unit->received(), expected);
}

void WindowDeviceTest::loadedRecordReadsBackAndVerifies()
{
    unit->setRememberLoads(true);
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    formValues loaded = recordSamples::filledForm();
    loaded.texts[recordSamples::h2Low] = QStringLiteral("-10");
    loaded.texts[3] = QStringLiteral("Garage ");
    loaded.texts[recordSamples::stopWord] = QStringLiteral("Stop now  ");
    windowForm::fill(*window, loaded);
    QList<BoxSeen> seen = closingBoxes([&] { window->download(); });
    QVERIFY(seen.isEmpty());
    QCOMPARE(unit->loadsCompleted(), 1);
    // The unit's reply drops the trailing spaces that the record carried.
    seen = closingBoxes([&] { window->verify_func(); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].text, QStringLiteral("Sikeres ellenőrzés."));

    formValues cleared = loaded;
    cleared.texts.fill(QString());
    cleared.flags.fill(false);
    windowForm::fill(*window, cleared);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    seen = closingBoxes([&] {
        QTest::keyClick(window.get(), Qt::Key_R, Qt::ControlModifier);
    });
    QVERIFY(seen.isEmpty());
    formValues readBack = loaded;
    readBack.texts[3] = QStringLiteral("Garage");
    readBack.texts[recordSamples::stopWord] = QStringLiteral("Stop now");
    QCOMPARE(windowForm::read(*window).texts, readBack.texts);
    QCOMPARE(windowForm::read(*window).flags, loaded.flags);

    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    seen = closingBoxes([&] { QTest::keyClick(window.get(), Qt::Key_V, Qt::ControlModifier); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].text, QStringLiteral("Sikeres ellenőrzés."));
}

QTEST_MAIN(WindowDeviceTest)
#include "test_window_device.moc"
