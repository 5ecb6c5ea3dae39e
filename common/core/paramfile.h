#pragma once

#include "formvalues.h"

#include <QString>
#include <QStringList>

class QIODevice;
class linkSettings;

// A parameter file: one text line per form field, the line edits' texts
// first, then "1" or "0" for each check box. Stored in the Central European
// Windows code page with CR LF line ends, so files move unchanged between the
// Windows programs and ours; files that other editors saved as UTF-8 or
// UTF-16 open too.
class paramFile
{
public:
    explicit paramFile(const QStringList &lines);

    // Reads the lines without their LF and without any CR, up to and including a
    // line that is exactly "---", and at most one line more than neededLines:
    // enough to tell a longer file from one of exactly that length, however
    // large the file. A line keeps at most maxLineBytes; the rest of a longer
    // line is skipped. Always at least one line: an empty, unreadable or
    // damaged file gives one empty line.
    // A file that starts with a byte-order mark is read in the mark's
    // encoding (UTF-8, or UTF-16 in either byte order); a file without one
    // as UTF-8 when its lines are valid UTF-8 holding a byte above 0x7F,
    // otherwise in the code page. A line holding the character 0 (a NUL byte
    // in an 8-bit file) marks the file as damaged.
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

    // Why a form would not come back out of its file as it went in.
    struct Refusal {
        enum class Why {
            lineBreak,      // the text holds a CR or LF
            endLine,        // the text reads "---", which ends the reading
            halfLetter,     // half of a letter that takes two UTF-16 units
            missingLetter,  // a letter the code page lacks
            readsOtherwise, // none of those, yet the file gives back another text
        };
        qsizetype line = -1; // the form line (texts, then flags) named; -1 when none
        Why why = Why::readsOtherwise;
        char32_t letter = 0; // missingLetter: the line's first such letter
        QString readBack;    // readsOtherwise: the line as the file would give it back
        // The letter as a message names it: "ñ" (U+00F1).
        QString shownLetter() const;
    };

    struct WriteResult {
        bool written = false;
        // When the form would not read back as it is: nothing was written.
        Refusal refusal;
        // When the system could not write the file: its reason.
        QString error;
    };

    // Writes the texts, then "1"/"0" per flag, each line ended CR LF, but
    // only when those bytes, read back as a file is opened, give back every
    // line exactly; otherwise nothing is written and the refusal names the
    // first line that would not come back. The old file is replaced only
    // once the new one is completely written; on failure it stays as it was.
    // In a folder the user cannot write to, a writable file is written over
    // in place instead (a failure then can leave it cut).
    static WriteResult write(const QString &path, const formValues &values);

    // The name shown for a file: base name, ".", complete suffix.
    static QString fileName(const QString &path);

private:
    static paramFile read(QIODevice &device, int neededLines);

    QStringList fileLines;
};
