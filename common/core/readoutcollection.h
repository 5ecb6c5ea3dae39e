#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// How the bytes of a read-out reply become the text that is split into
// fields. Both forms hold each line end as "|".
class readoutCollection
{
public:
    enum Style {
        // The window's read-out: CR becomes "|", LF is dropped, and the
        // separator of the final CR LF goes too.
        LinesJoined,
        // The transfer dialogs: every byte is kept and the last one repeated,
        // 0xFF reads as a space, every line end becomes "|"; the final CR LF
        // with the repeated LF leaves two separators at the end.
        EveryByteKept,
    };

    // The reply's bytes as text in the given style.
    static QString text(const QByteArray &bytes, Style style);

    // The fields without the empty parts that the reply's final line end
    // leaves at the end; every other empty field keeps its place.
    static QStringList withoutLineEnd(QStringList fields, Style style);
};
