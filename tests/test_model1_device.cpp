#include "debugcapture.h"
#include "mainwindow.h"
#include "modal.h"
#include "simunit.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

const QString port = QStringLiteral("COM3");
const QString loaded = QStringLiteral("Sikeres betöltés.");
const QString loadFailed = QStringLiteral("Betöltés hiba.\nTipp: ellenőrizze az eszközt és a portbeállításokat.");

// Every line edit filled with a valid value: limits 20 and 21, t1 and t2 set.
void fillForm(MainWindow &window)
{
    for (QLineEdit *edit : window.centralWidget()->findChildren<QLineEdit *>())
        edit->setText(edit->objectName().left(4));
    const QList<QPair<const char *, const char *>> values = {
        {"smskp", "36309888000"}, {"h1_low", "20"}, {"h1_high", "21"}, {"t1", "3630111"},
        {"t2", "3630222"}, {"t3", ""}, {"t4", ""}, {"t5", ""}, {"t6", ""}, {"t7", ""}, {"t8", ""}};
    for (const auto &value : values)
        window.findChild<QLineEdit *>(value.first)->setText(QString::fromLatin1(value.second));
    window.findChild<QCheckBox *>("checkBox")->setChecked(true);
}

// Runs the load and leaves its dialog once its message is no longer the
// start text; gives back that message (empty: it never changed).
QString loadMessage(MainWindow &window, int waitMs = 5000)
{
    QString message;
    answerNextDialog([&](QDialog *dialog) {
        auto *label = dialog->findChild<QLabel *>("kiiras");
        const bool changed =
            QTest::qWaitFor([&] { return label->text() != QStringLiteral("Downloading..."); }, waitMs);
        message = changed ? label->text() : QString();
        dialog->reject();
    });
    window.download();
    return message;
}

// The record lines the unit received after the load command.
QStringList receivedRecord(const simUnit &unit)
{
    QStringList lines = QString::fromLatin1(unit.received().mid(5)).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

QString styleOf(const MainWindow &window, const char *name)
{
    return window.findChild<QWidget *>(name)->styleSheet();
}

} // namespace

class Model1DeviceTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void recordCarriesRegulatorMode_data();
    void recordCarriesRegulatorMode();
    void thermometerRule_data();
    void thermometerRule();
    void emptyFieldRefused();
    void loadWaitFollowsTimeoutSetting();
    void statusFillsThePanel_data();
    void statusFillsThePanel();
    void statusWithTooFewItems();

private:
    std::unique_ptr<simUnit> unit;
    std::unique_ptr<MainWindow> window;
};

void Model1DeviceTest::init()
{
    unit = std::make_unique<simUnit>();
    QVERIFY(unit->isRunning());
    QVERIFY(unit->mapAs(port));
    window = std::make_unique<MainWindow>();
    window->currentSettings().port = port;
}

void Model1DeviceTest::cleanup()
{
    window.reset();
    unit.reset();
}

void Model1DeviceTest::recordCarriesRegulatorMode_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("mode");

    QTest::newRow("cooling") << "r2" << "-";
    QTest::newRow("heating") << "r1" << "+";
    QTest::newRow("off") << "r0" << "0";
}

void Model1DeviceTest::recordCarriesRegulatorMode()
{
    QFETCH(QString, button);
    QFETCH(QString, mode);

    fillForm(*window);
    window->findChild<QLineEdit *>("be2_nev")->setText(QStringLiteral("B"));
    window->findChild<QRadioButton *>(button)->setChecked(true);
    QCOMPARE(loadMessage(*window), loaded);

    const QStringList lines = receivedRecord(*unit);
    QCOMPARE(lines.size(), 44);
    QCOMPARE(lines.at(6), QStringLiteral("A"));
    QCOMPARE(lines.at(20), mode);
    QCOMPARE(lines.at(26), QStringLiteral("3630111"));
    QCOMPARE(lines.at(27), QStringLiteral("D"));
    QCOMPARE(lines.at(30), QStringLiteral("0"));
    QCOMPARE(lines.at(43), QString());
    QCOMPARE(window->findChild<QLineEdit *>("rb")->text(), mode);
    QCOMPARE(window->findChild<QLineEdit *>("be2_nev")->text(), QStringLiteral("A"));
}

void Model1DeviceTest::thermometerRule_data()
{
    QTest::addColumn<QString>("low");
    QTest::addColumn<QString>("high");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("20 below 21") << "20" << "21" << true;
    QTest::newRow("20 equal to 20") << "20" << "20" << false;
    QTest::newRow("21 above 20") << "21" << "20" << false;
}

void Model1DeviceTest::thermometerRule()
{
    QFETCH(QString, low);
    QFETCH(QString, high);
    QFETCH(bool, accepted);

    fillForm(*window);
    window->findChild<QLineEdit *>("h1_low")->setText(low);
    window->findChild<QLineEdit *>("h1_high")->setText(high);
    if (accepted) {
        QCOMPARE(loadMessage(*window), loaded);
        QCOMPARE(unit->loadsCompleted(), 1);
        return;
    }
    const QList<BoxSeen> seen = closingBoxes([&] { window->download(); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.at(0).title, QStringLiteral("Download error."));
    QCOMPARE(seen.at(0).text,
             QStringLiteral("A hőmérő alacsony értékének kisebbnek kell lennie, mint a magas hőfok értéke."));
    QCOMPARE(window->findChild<QLineEdit *>("h1_low")->text(), QString());
    QCOMPARE(window->findChild<QLineEdit *>("h1_high")->text(), QString());
    QCOMPARE(window->currentSettings().frameText, QString());
    QVERIFY(unit->received().isEmpty());
}

void Model1DeviceTest::emptyFieldRefused()
{
    fillForm(*window);
    window->findChild<QLineEdit *>("h2_hist")->clear();
    const QList<BoxSeen> seen = closingBoxes([&] { window->download(); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.at(0).icon, int(QMessageBox::Critical));
    QCOMPARE(seen.at(0).text, QStringLiteral("Az összes mező kitöltése kötelező."));
    QCOMPARE(window->findChild<QLineEdit *>("h1_low")->text(), QStringLiteral("20"));
    QVERIFY(unit->received().isEmpty());
}

void Model1DeviceTest::loadWaitFollowsTimeoutSetting()
{
    // Far below the model-2 load's 20 s wait: the setting decides.
    unit->setHandshake(QByteArray());
    window->currentSettings().timeout = 300;
    fillForm(*window);
    debugCapture debug;
    QCOMPARE(loadMessage(*window, 3000), loadFailed);
    QVERIFY(debug.lines().contains(QStringLiteral("not ready or wrong com.")));
}

void Model1DeviceTest::statusFillsThePanel_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("regulatorSheet");
    QTest::addColumn<QString>("temperature");

    QTest::newRow("regulator on") << QByteArray("\"Telekom HU\" 00001 00010 001 T:+21.5C 00001 0 23,77\r\n")
                                  << "background-color: rgb(255, 0, 0);" << "+21.5";
    QTest::newRow("regulator off") << QByteArray("\"Telekom HU\" 00001 00010 000 T:-4C 00001 0 23,77\r\n")
                                   << "background-color: rgb(180, 180, 180);" << "-4";
}

void Model1DeviceTest::statusFillsThePanel()
{
    QFETCH(QByteArray, reply);
    QFETCH(QString, regulatorSheet);
    QFETCH(QString, temperature);

    unit->setStatusReply(reply);
    const QList<BoxSeen> seen = closingBoxes([&] { window->allapot(); });
    QVERIFY(seen.isEmpty());
    QCOMPARE(unit->received(), QByteArray("!??\r\n"));
    QCOMPARE(window->findChild<QLabel *>("l_service")->text(), QStringLiteral("\"Telekom HU\""));
    QCOMPARE(styleOf(*window, "w_sz_ki"), regulatorSheet);
    QCOMPARE(window->findChild<QLabel *>("l_temp")->text(), temperature);
    QCOMPARE(styleOf(*window, "w_be1"), QStringLiteral("background-color: rgb(0, 170, 255);"));
    QCOMPARE(styleOf(*window, "w_ki2"), QStringLiteral("background-color: rgb(255, 170, 0);"));
    QCOMPARE(styleOf(*window, "w_tp"), QStringLiteral("background-color: rgb(0, 170, 0);"));
    QCOMPARE(window->findChild<QProgressBar *>("terero")->value(), 23);
    QVERIFY(window->findChild<QPushButton *>("allapot_gomb")->isEnabled());
}

void Model1DeviceTest::statusWithTooFewItems()
{
    unit->setStatusReply("\"Op\" 00011 00011 001 T:20C 00001\r\n");
    const QList<BoxSeen> seen = closingBoxes([&] { window->allapot(); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.at(0).title, QStringLiteral("Hiba"));
    QCOMPARE(seen.at(0).text, QStringLiteral("Sikertelen lekérdezés.\nEllenőrizze az eszközt!"));
    QCOMPARE(styleOf(*window, "w_sz_ki"), QStringLiteral("background-color: rgb(180, 180, 180);"));
    QCOMPARE(window->findChild<QLabel *>("l_temp")->text(), QStringLiteral("---"));
}

QTEST_MAIN(Model1DeviceTest)
#include "test_model1_device.moc"
