#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The field checks run whenever the user leaves a line edit: a walk over all
// line edits in form order that stops at the first field breaking a rule.
// The character rule goes by object name, the range rules by position, so
// each form gives its own table.
class inputRules
{
public:
    // One line edit: its object name and its text.
    struct field
    {
        QString name;
        QString text;
    };

    // The warning texts, one per rule.
    struct messages
    {
        QString digits;
        QString sevenBit;
        QString zeroOne;
        QString temperatureCharacters;
        QString temperatureRange;
        QString hysteresisCharacters;
        QString hysteresisRange;
        QString smsCountRange;
        QString phone;
    };

    // Which field gets which rule.
    struct table
    {
        int characterFields = 0;    // positions 0 .. characterFields-1 get the character rule
        QStringList digitNames;     // ... the digits class for these names, 7-bit for the rest
        QString zeroOneName;        // the field that holds only "", "0" or "1"
        QList<int> temperatureFields;
        QList<int> hysteresisFields;
        int smsCountField = -1;
        int firstPhone = 0;
        int phoneCount = 0;
        messages texts;
    };

    // The result of one walk.
    struct outcome
    {
        int failedField = -1;   // position of the field that broke a rule (now empty); -1: none
        QString title;          // the warning box, when a field failed
        QString text;
        QStringList texts;      // every field's text after the walk ("+" added, failed field emptied)

        bool passed() const { return failedField < 0; }
    };

    // The model-2 form's rules and texts.
    static table model2();
    // The thermostat form: one thermometer's limits and hysteresis, the
    // switching temperature, then the regulator mode and the second
    // hysteresis with no range of their own; Hungarian texts.
    static table model1();

    explicit inputRules(const table &rules);

    // Walks the fields in form order; positions the list lacks are not examined.
    outcome check(const QList<field> &fields) const;

private:
    struct failure
    {
        QString title;
        QString text;
    };

    std::optional<failure> fieldFailure(int position, const QString &name, QString &text) const;
    std::optional<failure> temperatureFailure(QString &text) const;
    std::optional<failure> hysteresisFailure(const QString &text) const;
    std::optional<failure> phoneFailure(const QString &text) const;

    table rules;
};
