#include "inputrules.h"
#include "recordsamples.h"

#include <QTest>

namespace {

const QStringList model2Names = recordSamples::lineEditNames();

// The model-2 form with every field empty but the given ones.
QList<inputRules::field> form(const QList<QPair<QString, QString>> &filled)
{
    QList<inputRules::field> fields;
    for (const QString &name : model2Names)
        fields.append({name, QString()});
    for (const auto &entry : filled)
        fields[model2Names.indexOf(entry.first)].text = entry.second;
    return fields;
}

inputRules::outcome checkModel2(const QList<QPair<QString, QString>> &filled)
{
    return inputRules(inputRules::model2()).check(form(filled));
}

} // namespace

class InputRulesTest : public QObject
{
    Q_OBJECT
private slots:
    void emptyFormPasses();
    void singleField_data();
    void singleField();
    void firstFailureWins();
    void signAddedBeforeLaterFailureStays();
    void shortFormIsWalkedAsFarAsItGoes();
    void otherTableMovesRangeRules();
};

void InputRulesTest::emptyFormPasses()
{
    const inputRules::outcome result = checkModel2({});
    QVERIFY(result.passed());
    QCOMPARE(result.texts, QStringList(model2Names.size(), QString()));
}

void InputRulesTest::singleField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("after");  // the field's text after the walk
    QTest::addColumn<QString>("title");  // empty: no failure
    QTest::addColumn<QString>("message");

    const QString input = QStringLiteral("Input error");
    const QString range = QStringLiteral("Error");
    const QString digits = QStringLiteral("Only numbers.");
    const QString sevenBit = QStringLiteral("Only numbers and characters. (7-bit ascii)\n");
    const QString temperature = QStringLiteral("Only valid temperature values.\n");
    const QString temperatureRange = QStringLiteral("Value is between -50 and +120 °C");
    const QString hysteresis = QStringLiteral("Only positive temperature values.\n");
    const QString hysteresisRange = QStringLiteral("Value is between 2 and 19 °C");
    const QString smsRange = QStringLiteral("Value is between 10 and 99 °C");
    const QString phone = QStringLiteral("Telephone number: only numbers.");
    const QString zeroOne = QStringLiteral("The value is only 1 or 0.");

    auto pass = [](const char *row, const char *field, const QString &text, const QString &after) {
        QTest::newRow(row) << field << text << after << QString() << QString();
    };
    auto fail = [](const char *row, const char *field, const QString &text, const QString &title,
                   const QString &message) {
        QTest::newRow(row) << field << text << QString() << title << message;
    };

    pass("25 gets a sign", "h1_low", "25", "+25");
    pass("0 stays", "h1_low", "0", "0");
    pass("05 stays", "h2_low", "05", "05");
    pass("-7 stays", "h1_high", "-7", "-7");
    pass("+7 stays", "h2_high", "+7", "+7");
    pass("-50", "h1_low", "-50", "-50");
    pass("+120", "h2_high", "+120", "+120");
    pass("120 gets a sign", "h1_high", "120", "+120");
    pass("space first gets a sign", "h2_low", " 5", "+ 5");
    fail("lone plus", "h1_low", "+", input, temperature);
    fail("lone minus", "h2_low", "-", input, temperature);
    fail("130", "h2_high", "130", range, temperatureRange);
    fail("-51", "h1_high", "-51", range, temperatureRange);
    fail("letter in temperature", "h1_low", "2a", input, temperature);
    fail("accent in temperature", "h2_low", QStringLiteral("é"), input, sevenBit);

    pass("hysteresis 2", "h1_hist", "2", "2");
    pass("hysteresis 19", "h2_hist", "19", "19");
    pass("hysteresis with plus", "h1_hist", "+5", "+5");
    fail("hysteresis 1", "h1_hist", "1", range, hysteresisRange);
    fail("hysteresis 20", "h2_hist", "20", range, hysteresisRange);
    fail("hysteresis -3", "h1_hist", "-3", range, hysteresisRange);
    fail("hysteresis spaces", "h1_hist", "  ", range, hysteresisRange);
    fail("hysteresis letter", "h2_hist", "a", input, hysteresis);

    pass("sms 10", "max_sms", "10", "10");
    pass("sms 99", "max_sms", "99", "99");
    fail("sms 9", "max_sms", "9", range, smsRange);
    fail("sms 09", "max_sms", "09", range, smsRange);
    fail("sms spaces", "max_sms", "  ", range, smsRange);
    fail("sms 1a", "max_sms", "1a", input, digits);
    fail("sms minus", "max_sms", "-5", input, digits);

    pass("pin spaces", "m_pin", "  ", "  ");
    fail("pin letter", "m_pin", "12a4", input, digits);
    fail("centre with plus", "smskp", "+36309888000", input, digits);
    fail("id sign", "m_id", "-1", input, digits);
    fail("relay time", "rele_time", "9x", input, digits);

    pass("restore 0", "visszaallas", "0", "0");
    pass("restore 1", "visszaallas", "1", "1");
    fail("restore 2", "visszaallas", "2", input, zeroOne);
    fail("restore accent", "visszaallas", QStringLiteral("é"), input, sevenBit);

    pass("name 7-bit", "m_nev", "Ab c!#~\x7f", "Ab c!#~\x7f");
    fail("name accent", "m_nev", QStringLiteral("Kő"), input, sevenBit);
    fail("name Latin-1", "be2_nev", QStringLiteral("ÿ"), input, sevenBit);
    fail("name zero", "rele2_ki", QString(QChar(0)), input, sevenBit);
    fail("supply text accent", "tapfesz_hiba_v", QStringLiteral("hiba é"), input, sevenBit);
    pass("stop word accent", "riaszto_stop", QStringLiteral("Kő"), QStringLiteral("Kő"));

    pass("phone plus and spaces", "t1", "+36 30 123 4567", "+36 30 123 4567");
    fail("phone minus", "t3", "06-30", input, phone);
    fail("phone letter", "t8", "0630a", input, phone);
    fail("phone accent", "t2", QStringLiteral("é"), input, phone);
    // Every phone number takes the phone rule, the first as well as the last.
    for (int k = 1; k <= 8; ++k) {
        const QByteArray name = "t" + QByteArray::number(k);
        fail(("letter in " + name).constData(), name.constData(), QStringLiteral("36a"), input, phone);
    }
}

void InputRulesTest::singleField()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, after);
    QFETCH(QString, title);
    QFETCH(QString, message);

    const inputRules::outcome result = checkModel2({{field, text}});
    const int position = model2Names.indexOf(field);
    QCOMPARE(result.failedField, title.isEmpty() ? -1 : position);
    QCOMPARE(result.title, title);
    QCOMPARE(result.text, message);
    QCOMPARE(result.texts.at(position), after);
}

void InputRulesTest::firstFailureWins()
{
    const QString name = QStringLiteral("Kő");
    inputRules::outcome result = checkModel2({{"m_nev", name}, {"h2_high", "130"}});
    QCOMPARE(result.failedField, 3);
    QCOMPARE(result.texts.at(3), QString());
    QCOMPARE(result.texts.at(20), QStringLiteral("130"));

    result = checkModel2({{"m_nev", "Ko"}, {"h2_high", "130"}});
    QCOMPARE(result.failedField, 20);
    QCOMPARE(result.texts.at(3), QStringLiteral("Ko"));
    QCOMPARE(result.title, QStringLiteral("Error"));
}

void InputRulesTest::signAddedBeforeLaterFailureStays()
{
    const inputRules::outcome result =
        checkModel2({{"h1_low", "25"}, {"max_sms", "5"}, {"h2_low", "7"}, {"t1", "x"}});
    QCOMPARE(result.failedField, 25);
    QCOMPARE(result.texts.at(16), QStringLiteral("+25"));
    QCOMPARE(result.texts.at(19), QStringLiteral("+7"));
    QCOMPARE(result.texts.at(26), QStringLiteral("x")); // not reached
}

void InputRulesTest::shortFormIsWalkedAsFarAsItGoes()
{
    QList<inputRules::field> fields = form({{"h1_low", "130"}});
    fields.erase(fields.begin() + 17, fields.end());
    QCOMPARE(inputRules(inputRules::model2()).check(fields).failedField, 16);

    fields.removeLast();
    const inputRules::outcome result = inputRules(inputRules::model2()).check(fields);
    QVERIFY(result.passed());
    QCOMPARE(result.texts.size(), 16);
}

void InputRulesTest::otherTableMovesRangeRules()
{
    inputRules::table rules = inputRules::model2();
    rules.temperatureFields = {16, 17, 19};
    rules.hysteresisFields = {18};
    rules.texts.hysteresisRange = QStringLiteral("hiszterézis");
    const inputRules check(rules);

    // Positions 20 and 21 now carry no range rule.
    QList<inputRules::field> fields = form({{"h2_high", "-"}, {"h2_hist", "40"}});
    QVERIFY(check.check(fields).passed());

    fields = form({{"h1_hist", "1"}});
    QCOMPARE(check.check(fields).text, QStringLiteral("hiszterézis"));
}

QTEST_GUILESS_MAIN(InputRulesTest)
#include "test_inputrules.moc"
