#include "paramfile.h"

#include "linksettings.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

const char codePage[] = "windows-1250";
const QByteArray byteOrderMark("\xEF\xBB\xBF");
const QLatin1String endLine("---");

// The next line without its LF and without any CR, cut at maxLineBytes; the
// rest of a longer line is read past, never kept. False at the file's end.
// Line ends converted twice (CR CR LF) leave no CR behind.
bool nextLine(QFile &file, QByteArray &line)
{
    line = file.readLine(paramFile::maxLineBytes + 1);
    if (line.isEmpty())
        return false;
    for (QByteArray rest = line; !rest.endsWith('\n') && !rest.isEmpty();)
        rest = file.readLine(paramFile::maxLineBytes + 1);
    if (line.endsWith('\n'))
        line.chop(1);
    line.replace('\r', "");
    return true;
}

// A file saved by an editor as UTF-8 starts with the mark; it is read past.
// Each line is decoded on its own, so a line cut inside a letter leaves
// nothing over for the next; a mark at a line's start is then text.
QStringDecoder fileDecoder(QFile &file)
{
    const QStringConverter::Flags lineByLine = QStringConverter::Flag::Stateless
                                               | QStringConverter::Flag::ConvertInitialBom;
    if (file.peek(byteOrderMark.size()) != byteOrderMark)
        return QStringDecoder(codePage, lineByLine);
    file.skip(byteOrderMark.size());
    return QStringDecoder(QStringConverter::Utf8, lineByLine);
}

// One code point of text at index: two units for a surrogate pair.
qsizetype codePointLength(QStringView text, qsizetype index)
{
    const bool pair = text.at(index).isHighSurrogate() && index + 1 < text.size()
                      && text.at(index + 1).isLowSurrogate();
    return pair ? 2 : 1;
}

// Whether the code page holds every letter of text.
bool writable(QStringView text)
{
    QStringEncoder encoder(codePage);
    // The error is known only once the text is converted.
    [[maybe_unused]] const QByteArray bytes = encoder.encode(text);
    return !encoder.hasError();
}

// The first letter of text that the code page lacks; 0 when there is none.
char32_t firstMissing(QStringView text)
{
    for (qsizetype i = 0; i < text.size();) {
        const QStringView letter = text.mid(i, codePointLength(text, i));
        if (!writable(letter))
            return letter.size() == 2 ? QChar::surrogateToUcs4(letter[0], letter[1]) : letter[0].unicode();
        i += letter.size();
    }
    return 0;
}

QString fileText(const formValues &values)
{
    QString text;
    for (const QString &line : values.texts)
        text += line + QLatin1String("\r\n");
    for (bool flag : values.flags)
        text += QLatin1String(flag ? "1\r\n" : "0\r\n");
    return text;
}

} // namespace

paramFile::paramFile(const QStringList &lines)
    : fileLines(lines)
{
}

paramFile paramFile::read(const QString &path, int neededLines)
{
    QStringList lines;
    QFile file(path);
    QByteArray line;
    if (file.open(QIODevice::ReadOnly)) {
        QStringDecoder decoder = fileDecoder(file);
        while (lines.size() <= neededLines && nextLine(file, line)) {
            lines.append(decoder.decode(line));
            if (lines.last() == endLine)
                break;
        }
    }
    if (lines.isEmpty())
        lines.append(QString());
    return paramFile(lines);
}

bool paramFile::holdsForm(int fieldCount) const
{
    return fileLines.size() >= fieldCount;
}

formValues paramFile::values(int textCount, int flagCount) const
{
    formValues form;
    for (int i = 0; i < textCount; ++i)
        form.texts.append(fileLines.value(i));
    for (int k = 0; k < flagCount; ++k)
        form.flags.append(fileLines.value(textCount + k) == QLatin1String("1"));
    return form;
}

void paramFile::takeDisplayLines(int fieldCount, linkSettings &settings) const
{
    QString *const targets[] = {&settings.linkText, &settings.aboutText, &settings.imagePath};
    int number = fieldCount;
    for (QString *target : targets) {
        if (number >= fileLines.size())
            return;
        *target = fileLines.at(number++);
    }
}

bool paramFile::write(const QString &path, const formValues &values, QString *reason)
{
    // The window names the field first; this keeps any other caller from a
    // file that would not read back as written.
    if (const MissingLetter missing = missingLetter(values.texts); missing.text >= 0) {
        if (reason)
            *reason = QStringLiteral("Line %1 holds the letter %2, which a parameter file cannot hold.")
                          .arg(QString::number(missing.text + 1), missing.shown());
        return false;
    }
    QStringEncoder encoder(codePage);
    const QByteArray bytes = encoder.encode(fileText(values));

    // The explicit flush matters: commit() alone misses an error that only
    // shows when the buffer is written out, and would replace the old file
    // with a cut one. An uncommitted file is discarded, the old one kept.
    QSaveFile file(path);
    // The new file is made beside the old one and renamed over it; a folder
    // the user may not write to has no room for that, and only then the
    // file itself is written over.
    file.setDirectWriteFallback(true);
    const bool written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()
                         && file.flush() && file.commit();
    if (!written && reason)
        *reason = file.errorString();
    return written;
}

paramFile::MissingLetter paramFile::missingLetter(const QStringList &texts)
{
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (!writable(texts.at(i)))
            return {i, firstMissing(texts.at(i))};
    }
    return {};
}

QString paramFile::MissingLetter::shown() const
{
    const QString code = QString::number(letter, 16).toUpper().rightJustified(4, QLatin1Char('0'));
    return QStringLiteral("\"%1\" (U+%2)").arg(QString::fromUcs4(&letter, 1), code);
}

qsizetype paramFile::endLineText(const QStringList &texts)
{
    return texts.indexOf(endLine);
}

QString paramFile::fileName(const QString &path)
{
    const QFileInfo info(path);
    return info.baseName() + QLatin1Char('.') + info.completeSuffix();
}
