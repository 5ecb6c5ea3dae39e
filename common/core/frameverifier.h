#pragma once

#include "linksettings.h"
#include "readoutcollection.h"

#include <QString>
#include <QStringList>

// Compares the record the form would send (frameBuilder::expected) with the
// unit's read-out reply, each brought to the form in which the other holds it.
class frameVerifier
{
public:
    struct Result {
        bool equal = false;
        QString expected; // trimmed; the window keeps it as its frameText
        QString received; // normalised
        // Debug lines after a mismatch, each text in double quotes.
        QString expectedLine() const;
        QString receivedLine() const;
    };

    // Boxes of the verify; a failure box is critical, titled readoutParser::errorTitle.
    static constexpr char failedText[] = "Sikertelen ellenőrzés.";
    static constexpr char successTitle[] = "Ellenőrzés";
    static constexpr char successText[] = "Sikeres ellenőrzés.";

    // style: how the reply was collected.
    explicit frameVerifier(const linkSettings &settings,
                           readoutCollection::Style style = readoutCollection::LinesJoined);

    // expected: as built; received: the collected reply, line ends as "|".
    Result compare(const QString &expected, const QString &received) const;

    // Every field without its trailing spaces, joined again by the upload
    // separator; without the parts of the reply's final line end.
    QString normalised(const QString &received) const;
    // Without the final separator; a "+" that opens a field after the first
    // is dropped and every field loses its trailing spaces, as the unit's
    // reply gives them back.
    QString trimmed(const QString &expected) const;

private:
    static QStringList withoutTrailingSpaces(QStringList fields);

    QString separator;         // the reply's
    QString expectedSeparator; // the record's
    readoutCollection::Style style;
};
