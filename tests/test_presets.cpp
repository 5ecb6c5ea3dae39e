#include "smspresets.h"

#include <QTest>

class PresetsTest : public QObject
{
    Q_OBJECT
private slots:
    void itemTexts();
    void rows_data();
    void rows();
    void numberToIndex_data();
    void numberToIndex();
};

void PresetsTest::itemTexts()
{
    QCOMPARE(smsPresets::itemTexts(),
             QStringList({"T-Mobile", "Telenor", "Vodafone", QStringLiteral("Egyéni")}));
    QCOMPARE(smsPresets::itemTexts().indexOf(QStringLiteral("Egyéni")), smsPresets::customIndex);
}

void PresetsTest::rows_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("number"); // null: the item sets no number

    QTest::newRow("T-Mobile") << "T-Mobile" << "36309888000";
    QTest::newRow("Telenor") << "Telenor" << "36209300099";
    QTest::newRow("Vodafone") << "Vodafone" << "36709996500";
    QTest::newRow("Egyéni") << QStringLiteral("Egyéni") << QString();
}

void PresetsTest::rows()
{
    QFETCH(QString, item);
    QFETCH(QString, number);

    const std::optional<QString> set = smsPresets::numberForItem(item);
    QCOMPARE(set.has_value(), !number.isNull());
    QCOMPARE(smsPresets::isCustom(item), number.isNull());
    if (!set)
        return;
    QCOMPARE(*set, number);
    QCOMPARE(smsPresets::indexForNumber(number), smsPresets::itemTexts().indexOf(item));
}

void PresetsTest::numberToIndex_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("index");

    QTest::newRow("Vodafone") << "36709996500" << 2;
    QTest::newRow("leading space") << " 36709996500" << 3;
    QTest::newRow("trailing space") << "36209300099 " << 3;
    QTest::newRow("plus sign") << "+36309888000" << 3;
    QTest::newRow("empty") << "" << 3;
    QTest::newRow("other number") << "36301234567" << 3;
    QTest::newRow("item text") << "Telenor" << 3;
}

void PresetsTest::numberToIndex()
{
    QFETCH(QString, number);
    QFETCH(int, index);
    QCOMPARE(smsPresets::indexForNumber(number), index);
}

QTEST_GUILESS_MAIN(PresetsTest)
#include "test_presets.moc"
