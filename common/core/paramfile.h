#pragma once

#include "formvalues.h"

#include <QString>
#include <QStringList>

class linkSettings;

// A parameter file: one text line per form field, the line edits' texts
// first, then "1" or "0" for each check box. Stored in the Central European
// Windows code page with CR LF line ends, so files move unchanged between the
// Windows programs and ours; a file an editor saved as UTF-8 with its mark
// opens too.
class paramFile
{
public:
    explicit paramFile(const QStringList &lines);

    // Reads the lines without their LF and without any CR, up to and including a
    // line that is exactly "---", and at most one line more than neededLines:
    // enough to tell a longer file from one of exactly that length, however
    // large the file. A line keeps at most maxLineBytes; the rest of a longer
    // line is skipped. Always at least one line: an empty or unreadable file
    // gives one empty line. A file that starts with the UTF-8 byte-order mark
    // is read as UTF-8 without it.
    static paramFile read(const QString &path, int neededLines);

    // Lines after the form's that only the defaults file uses: link text,
    // about text and picture path.
    static constexpr int displayLineCount = 3;
    // Far longer than any field or display text.
    static constexpr qint64 maxLineBytes = 65536;

    const QStringList &lines() const { return fileLines; }

    // Whether there is a line for each of fieldCount form fields; a shorter
    // file must not be loaded.
    bool holdsForm(int fieldCount) const;

    // The form read from the lines: textCount texts, then flagCount ticks,
    // each ticked only by a line that is exactly "1". A missing line gives an
    // empty text or no tick; lines past the form are not used.
    formValues values(int textCount, int flagCount) const;

    // The defaults file's display lines after the form's fieldCount lines:
    // link text, about text and picture path, each taken only when present.
    void takeDisplayLines(int fieldCount, linkSettings &settings) const;

    // Writes the texts, then "1"/"0" per flag, each line ended CR LF. The old
    // file is replaced only once the new one is completely written; on
    // failure it stays as it was, false is returned and reason says why.
    // In a folder the user cannot write to, a writable file is written over
    // in place instead (a failure then can leave it cut).
    // Texts holding a letter the code page lacks are refused: nothing is
    // written, as the file could not give that letter back.
    static bool write(const QString &path, const formValues &values, QString *reason);

    // A letter of the texts that the code page lacks.
    struct MissingLetter {
        qsizetype text = -1; // index of the first text holding one; -1 when none does
        char32_t letter = 0; // that text's first such letter (a surrogate pair is one)
        // As a message names it: "ñ" (U+00F1).
        QString shown() const;
    };
    static MissingLetter missingLetter(const QStringList &texts);

    // A text that reads exactly as the end line would end the reading of
    // its file there; the index of the first one, or -1.
    static qsizetype endLineText(const QStringList &texts);

    // The name shown for a file: base name, ".", complete suffix.
    static QString fileName(const QString &path);

private:
    QStringList fileLines;
};
