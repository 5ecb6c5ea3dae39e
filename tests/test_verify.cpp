#include "framebuilder.h"
#include "frameverifier.h"
#include "recordsamples.h"

#include <QTest>

using namespace recordSamples;

namespace {

QString expectedOf(const formValues &form, const linkSettings &settings = linkSettings())
{
    const frameBuilder::Result built = frameBuilder(settings).expected(form);
    Q_ASSERT(built.accepted());
    return built.text;
}

// What the unit sends back for these fields, as collected: one line each.
QString replyOf(const QStringList &fields)
{
    return fields.join(QLatin1Char('|'));
}

// The reply's lines as the transfer dialogs collect them.
QString keptReplyOf(const QByteArray &lines)
{
    return readoutCollection::text(lines, readoutCollection::EveryByteKept);
}

} // namespace

class VerifyTest : public QObject
{
    Q_OBJECT
private slots:
    void equal();
    void differentAndLines();
    void formChange_data();
    void formChange();
    void trimmed_data();
    void trimmed();
    void normalised();
    void checksumLineDiffers();
    void noAnswer();
    void keptReply_data();
    void keptReply();
};

void VerifyTest::equal()
{
    const frameVerifier::Result result =
        frameVerifier(linkSettings()).compare(expectedOf(filledForm()), replyOf(recordFields()));
    QVERIFY(result.equal);
    QCOMPARE(result.expected, replyOf(recordFields()));
}

void VerifyTest::differentAndLines()
{
    formValues form;
    form.texts = QStringList{"a", "", "", "", "", "", "", "", "", "s"};
    const QString reply = QStringLiteral("b|0|P|0|P|0|P|0|P|0|P|0|P|0|P|0|P|s  ");
    const frameVerifier::Result result = frameVerifier(linkSettings()).compare(expectedOf(form), reply);
    QVERIFY(!result.equal);
    QCOMPARE(result.expectedLine(), QStringLiteral("o: \"a|0|P|0|P|0|P|0|P|0|P|0|P|0|P|0|P|s\""));
    QCOMPARE(result.receivedLine(), QStringLiteral("r: \"b|0|P|0|P|0|P|0|P|0|P|0|P|0|P|0|P|s\""));
}

void VerifyTest::formChange_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("returned");
    QTest::addColumn<bool>("equal");
    QTest::newRow("plus sign dropped") << h2Low << "+20" << "20" << true;
    QTest::newRow("plus sign returned") << h2Low << "+20" << "+20" << false;
    QTest::newRow("two plus signs keep one") << h2Low << "++20" << "+20" << true;
    QTest::newRow("international phone") << firstPhone << "+36301234567" << "36301234567" << true;
    QTest::newRow("first field keeps its plus") << 0 << "+36309888000" << "+36309888000" << true;
    QTest::newRow("plus inside a field stays") << 3 << "a+b" << "a+b" << true;
    QTest::newRow("trailing spaces in the form") << 3 << "Garage  " << "Garage" << true;
    QTest::newRow("trailing space from the unit") << 3 << "Garage" << "Garage  " << true;
    QTest::newRow("leading space from the unit") << 3 << "Garage" << " Garage" << false;
    QTest::newRow("one-blank phone") << firstPhone << " " << "0" << true;
    QTest::newRow("empty stop word") << stopWord << "" << "" << true;
    QTest::newRow("limits the load refuses") << h2High << "-10" << "-10" << true;
}

void VerifyTest::formChange()
{
    QFETCH(int, field);
    QFETCH(QString, typed);
    QFETCH(QString, returned);
    QFETCH(bool, equal);
    formValues form = filledForm();
    form.texts[field] = typed;
    QStringList reply = recordFields();
    reply[field < firstPhone ? field : field == stopWord ? stopWord + 8 : phoneField(field - firstPhone)] =
        returned;
    const frameVerifier::Result result = frameVerifier(linkSettings()).compare(expectedOf(form), replyOf(reply));
    QCOMPARE(result.equal, equal);
}

void VerifyTest::trimmed_data()
{
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("trimmed");
    QTest::newRow("last separator") << "a|b|" << "a|b";
    QTest::newRow("empty last field") << "a||" << "a|";
    QTest::newRow("plus signs") << "+1|+2|++3|+|" << "+1|2|+3|";
    QTest::newRow("other separator") << "a;+b;" << "a;+b";
    QTest::newRow("trailing spaces") << "a |+b  | |c  d|" << "a|b||c  d";
    QTest::newRow("empty") << "" << "";
}

void VerifyTest::trimmed()
{
    QFETCH(QString, expected);
    QFETCH(QString, trimmed);
    QCOMPARE(frameVerifier(linkSettings()).trimmed(expected), trimmed);
}

void VerifyTest::normalised()
{
    QCOMPARE(frameVerifier(linkSettings()).normalised(QStringLiteral("a  | b |  |c\t ")),
             QStringLiteral("a| b||c\t"));
    linkSettings semicolon;
    semicolon.upSep = ';';
    QCOMPARE(frameVerifier(semicolon).normalised(QStringLiteral("a ;b |c ")), QStringLiteral("a;b |c"));
}

void VerifyTest::checksumLineDiffers()
{
    linkSettings settings;
    settings.check = 1;
    settings.chks = 3;
    const QString reply = replyOf(recordFields()) + QStringLiteral("|20");
    QVERIFY(!frameVerifier(settings).compare(expectedOf(filledForm(), settings), reply).equal);
}

void VerifyTest::noAnswer()
{
    const frameVerifier::Result result = frameVerifier(linkSettings()).compare(expectedOf(filledForm()), QString());
    QVERIFY(!result.equal);
    QCOMPARE(result.receivedLine(), QStringLiteral("r: \"\""));
}

void VerifyTest::keptReply_data()
{
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<bool>("equal");

    QByteArray lines;
    for (const QString &field : recordFields())
        lines += field.toLatin1() + "\r\n";
    QTest::newRow("CR lines") << QByteArray(lines).replace("\r\n", "\r") << true;
    QTest::newRow("trailing blanks and 0xFF") << QByteArray(lines).replace("STOP", "STOP \xFF") << true;
    QTest::newRow("stop word missing") << QByteArray(lines).replace("STOP\r\n", "\r\n") << false;
    QTest::newRow("no line end") << lines.chopped(2) << false;
}

void VerifyTest::keptReply()
{
    QFETCH(QByteArray, lines);
    QFETCH(bool, equal);
    const frameVerifier::Result result = frameVerifier(linkSettings(), readoutCollection::EveryByteKept)
                                             .compare(expectedOf(filledForm()), keptReplyOf(lines));
    QCOMPARE(result.equal, equal);
}

QTEST_GUILESS_MAIN(VerifyTest)
#include "test_verify.moc"
