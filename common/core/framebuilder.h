#pragma once

#include "formvalues.h"
#include "linksettings.h"

#include <QList>
#include <QString>

// Builds the record the unit takes from the form's values: every field
// followed by the download separator, after each phone number its mode
// letter, the alarm-stop word last, then the checksum when checking is on.
// The counts come from the lists: the last text is the alarm-stop word, the
// eight before it are the phone numbers, the rest are plain fields that must
// not be empty; flags k and k + 8 are the call and SMS flags of phone k.
class frameBuilder
{
public:
    enum Refusal {
        NoRefusal,
        EmptyField,
        FirstThermometer,
        SecondThermometer,
        AccentedLetter,
        SeparatorInField,
        LineBreakInField,
    };

    // Two limit fields that must lie at least minGap apart
    // (high - low >= minGap); texts that are not numbers count as 0.
    struct LimitRule {
        int lowField;
        int highField;
        int minGap;
        Refusal refusal;
    };

    // The load's refusal texts of one program.
    struct RefusalTexts {
        QString emptyField;
        QString firstThermometer;
        QString secondThermometer;
        QString accentedLetter;
    };

    struct Result {
        Refusal refusal = NoRefusal;
        QString text; // the record; empty when refused
        qsizetype field = -1; // index of the refused text, where the refusal names one
        bool accepted() const { return refusal == NoRefusal; }
    };

    // Refusal box of the load: critical, this title, refusalText().
    static constexpr char errorTitle[] = "Download error.";
    static constexpr char emptyFieldText[] = "Please fill each form.";
    static constexpr char firstThermometerText[] =
        "1. thermometer lower value must be less than the upper value - 2 °C.";
    static constexpr char secondThermometerText[] =
        "2. thermometer lower value must be less than the upper value - 2 °C.";
    static constexpr char accentedLetterText[] =
        "You can not use accentuated letters. (only 7-bit ascii)";

    explicit frameBuilder(const linkSettings &settings);

    // The load's record. Refusals in this order: an empty plain field, the
    // limit rules in turn, a character outside 7-bit, a field holding the
    // separator (it would reach the unit as two lines), then any text holding
    // a CR or LF. Checksum appended when checking is on.
    Result load(const formValues &form, const QList<LimitRule> &limits = thermometerLimits()) const;

    // The text a verify expects the unit to hold: the load's record without
    // limit rules and without checksum.
    Result expected(const formValues &form) const;

    // The load's box text for a refusal; fieldName names the refused text
    // where the refusal names one.
    QString refusalText(Refusal refusal, const RefusalTexts &texts = model2Texts(),
                        const QString &fieldName = QString()) const;
    // What a verify's failure text adds for a refusal: the separator rule is
    // named, as the load names it; the others add nothing.
    QString verifyReason(Refusal refusal) const;
    // A failure text followed, on its own line, by its reason when there is one.
    static QString withReason(const QString &failure, const QString &reason);

    // The model-2 thermometers: low + 2 must stay below high.
    static const QList<LimitRule> &thermometerLimits();
    // The thermostat's one thermometer: low must stay below high.
    static const QList<LimitRule> &thermostatLimits();

    static RefusalTexts model2Texts();
    static RefusalTexts model1Texts();

    // "A" both flags, "D" call only, "S" SMS only, "P" neither.
    static QString numberMode(bool call, bool sms);

private:
    Result build(const formValues &form, const QList<LimitRule> &limits) const;
    static Refusal brokenLimit(const QStringList &texts, const QList<LimitRule> &limits);
    static bool sendable(QChar c);

    int check;
    qint8 chks;
    QString separator;
};
