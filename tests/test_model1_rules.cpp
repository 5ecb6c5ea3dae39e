#include "framebuilder.h"
#include "inputrules.h"
#include "model1names.h"
#include "regulatormode.h"
#include "statusreply.h"

#include <QTest>

namespace {

// The thermostat form's line edits in form order.
const QStringList lineEditNames = model1Names::lineEdits();

// Every field empty but the one given.
QList<inputRules::field> formWith(const QString &name, const QString &text)
{
    QList<inputRules::field> fields;
    for (const QString &fieldName : lineEditNames)
        fields.append({fieldName, fieldName == name ? text : QString()});
    return fields;
}

// A complete thermostat form: h1_low 20, h1_high 21, switching 25, heating.
formValues filledForm()
{
    formValues form;
    for (const QString &name : lineEditNames)
        form.texts.append(name.left(4));
    form.texts[0] = QStringLiteral("36309888000");
    form.texts[16] = QStringLiteral("20");
    form.texts[17] = QStringLiteral("21");
    form.texts[20] = QStringLiteral("+");
    for (int k = 0; k < 19; ++k)
        form.flags.append(k == 0 || k == 8);
    return form;
}

} // namespace

class Model1RulesTest : public QObject
{
    Q_OBJECT
private slots:
    void inputChecks_data();
    void inputChecks();
    void thermometerRule_data();
    void thermometerRule();
    void recordCarriesRegulatorMode();
    void status_data();
    void status();
    void regulatorModes_data();
    void regulatorModes();
};

void Model1RulesTest::inputChecks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");   // the field's text after the walk
    QTest::addColumn<QString>("message"); // empty: no box

    QTest::newRow("switching temperature gets its sign") << "h2_high" << "25" << "+25" << "";
    QTest::newRow("switching temperature out of range")
        << "h2_high" << "130" << "" << "Az értéknek -50 és +120 °C között kell lennie.";
    QTest::newRow("second hysteresis has no range") << "h2_hist" << "40" << "40" << "";
    QTest::newRow("first hysteresis below range")
        << "h1_hist" << "1" << "" << "Az értéknek 2 és 19 °C között kell lennie.";
    QTest::newRow("cooling mode passes") << "rb" << "-" << "-" << "";
    QTest::newRow("heating mode passes") << "rb" << "+" << "+" << "";
    QTest::newRow("accented mode refused")
        << "rb" << "é" << "" << "Csak számok és ékezet nélküli betűk adhatóak meg. (7-bit ascii)\n";
    QTest::newRow("high limit letters")
        << "h1_high" << "2a" << "" << "Csak hőmérséklet-érték adható meg.\n";
    QTest::newRow("pin digits") << "m_pin" << "12x" << "" << "Csak számok adhatóak meg.";
    QTest::newRow("zero or one") << "visszaallas" << "2" << "" << "Az érték 0 vagy 1 lehet.";
    QTest::newRow("sms count") << "max_sms" << "5" << "" << "Az értéknek 10 és 99 °C között kell lennie.";
    QTest::newRow("phone") << "t3" << "06-30" << "" << "Csak telefonszám adható meg.";
}

void Model1RulesTest::inputChecks()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(QString, message);

    const inputRules::outcome outcome = inputRules(inputRules::model1()).check(formWith(name, text));
    QCOMPARE(outcome.texts.at(lineEditNames.indexOf(name)), shown);
    QCOMPARE(outcome.text, message);
    QCOMPARE(outcome.passed(), message.isEmpty());
}

void Model1RulesTest::thermometerRule_data()
{
    QTest::addColumn<QString>("low");
    QTest::addColumn<QString>("high");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("one apart") << "20" << "21" << true;
    QTest::newRow("equal") << "20" << "20" << false;
    QTest::newRow("reversed") << "21" << "20" << false;
    QTest::newRow("signed") << "-5" << "+3" << true;
}

void Model1RulesTest::thermometerRule()
{
    QFETCH(QString, low);
    QFETCH(QString, high);
    QFETCH(bool, accepted);

    formValues form = filledForm();
    form.texts[16] = low;
    form.texts[17] = high;
    const frameBuilder builder{linkSettings()};
    const frameBuilder::Result record = builder.load(form, frameBuilder::thermostatLimits());
    QCOMPARE(record.accepted(), accepted);
    if (!accepted)
        QCOMPARE(builder.refusalText(record.refusal, frameBuilder::model1Texts()),
                 QStringLiteral("A hőmérő alacsony értékének kisebbnek kell lennie, mint a magas hőfok értéke."));
}

void Model1RulesTest::recordCarriesRegulatorMode()
{
    const frameBuilder::Result record = frameBuilder(linkSettings()).load(filledForm(), frameBuilder::thermostatLimits());
    QVERIFY(record.accepted());
    const QStringList fields = record.text.split(QLatin1Char('|'));
    QCOMPARE(fields.size(), 44); // 43 fields and the end after the last separator
    QCOMPARE(fields.at(20), QStringLiteral("+"));
    QCOMPARE(fields.at(27), QStringLiteral("A")); // t1: call and SMS
    QCOMPARE(fields.at(29), QStringLiteral("P"));
    QCOMPARE(fields.at(42), QStringLiteral("rias"));
}

void Model1RulesTest::status_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<bool>("regulator");
    QTest::addColumn<QString>("temperature");
    QTest::addColumn<int>("signal");

    QTest::newRow("regulator on") << "\"Op\" 00011 00001 001 T:+21.5C 00001 0 17,99" << true << true
                                  << "+21.5" << 17;
    QTest::newRow("regulator off") << "\"Op\" 00011 00001 000 T:-3C 00001 0 4,99" << true << false
                                   << "-3" << 4;
    QTest::newRow("short regulator item") << "\"Op\" 0 0 00 T:20C 0 0 31" << true << false << "20" << 31;
    QTest::newRow("other prefix stays") << "\"Op\" 0 0 0 X:20C 0 0 9" << true << false << "X:20" << 9;
    QTest::newRow("six items") << "\"Op\" 0 0 001 T:20C 0 0" << false << false << "" << 2;
}

void Model1RulesTest::status()
{
    QFETCH(QString, reply);
    QFETCH(bool, complete);
    QFETCH(bool, regulator);
    QFETCH(QString, temperature);
    QFETCH(int, signal);

    // The collected text ends with the line end the exchange keeps.
    const statusReply status = statusReply::parseThermostat(reply + QStringLiteral("\r"));
    QCOMPARE(status.operatorName, QStringLiteral("\"Op\""));
    QCOMPARE(status.complete, complete);
    QCOMPARE(status.regulatorOutput, regulator);
    QCOMPARE(status.temperature, temperature);
    QCOMPARE(status.signal, signal);
}

void Model1RulesTest::regulatorModes_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("mode");

    QTest::newRow("cooling") << "r2" << "-";
    QTest::newRow("heating") << "r1" << "+";
    QTest::newRow("off") << "r0" << "0";
}

void Model1RulesTest::regulatorModes()
{
    QFETCH(QString, button);
    QFETCH(QString, mode);

    QCOMPARE(regulatorMode::ofButton(button), mode);
    QCOMPARE(regulatorMode::buttonFor(mode), button);
    QCOMPARE(regulatorMode::ofButton(QString()), QStringLiteral("0"));
    QCOMPARE(regulatorMode::buttonFor(QStringLiteral("x")), QString());
    QCOMPARE(regulatorMode::buttonFor(QString()), QString());
}

QTEST_GUILESS_MAIN(Model1RulesTest)
#include "test_model1_rules.moc"
