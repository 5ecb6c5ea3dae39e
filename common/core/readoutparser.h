#pragma once

#include "formvalues.h"
#include "linksettings.h"
#include "readoutcollection.h"

#include <QString>
#include <QStringList>

// Checks the unit's read-out reply and turns it into the form's values.
// The reply holds one field per line edit, the alarm-stop word (the last
// line edit) possibly missing, in the order the record is sent; each phone
// number is followed by its mode letter. With checking on a checksum field
// follows.
class readoutParser
{
public:
    enum Outcome {
        Filled,
        SeparatorMissing,
        ChecksumWrong,       // sum modes: "chks error"
        CheckCharacterWrong, // fixed check character: no diagnostic
        CountWrong,
    };

    struct Result {
        Outcome outcome = Filled;
        QString diagnostic; // debug line to write, empty when none
        formValues form;    // texts for every line edit, the 16 phone flags; only when filled
        bool filled() const { return outcome == Filled; }
        // "chks error" is written after the failure box, the others before it.
        bool diagnosticAfterBox() const { return outcome == ChecksumWrong; }
    };

    // Failure boxes of the read-out (the verify uses the same title): critical.
    static constexpr char errorTitle[] = "Hiba";
    static constexpr char failedText[] =
        "Sikertelen kiolvasás.\nEllenőrizze az eszközt, és próbálja meg újra!";
    static constexpr char portFailedText[] = "Sikertelen kiolvasás.\nNem lehet megnyitni a portot.";

    // lineEdits: how many line edits the form has; style: how the reply was
    // collected. The transfer dialogs' style also drops an empty alarm-stop
    // word in last place (the checksum then covers the fields before it).
    readoutParser(const linkSettings &settings, int lineEdits,
                  readoutCollection::Style style = readoutCollection::LinesJoined);

    // reply: the collected text, each line end already turned into "|".
    Result parse(const QString &reply) const;
    // The checksum, count and fill on a reply already split into fields,
    // without the parts of its final line end.
    Result parseFields(QStringList fields) const;

    static QString withoutTrailingSpaces(QString text);

private:
    void dropEmptyStopWord(QStringList &fields) const;
    bool checksumMatches(const QStringList &fields) const;
    formValues fill(const QStringList &fields, bool withStopWord) const;

    int check;
    qint8 chks;
    QString separator;
    int lineEdits;
    readoutCollection::Style style;
};
