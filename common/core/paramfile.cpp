#include "paramfile.h"

#include "linebreaks.h"
#include "linksettings.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <optional>

namespace {

const char codePage[] = "windows-1250";
const QLatin1String endLine("---");
// How much is looked at for a line's end at a time.
constexpr qint64 chunkBytes = 4096;

enum class encoding { codePage, utf8, utf16le, utf16be };

// The byte-order marks editors start a file with.
const struct {
    const char *mark;
    encoding kind;
} marks[] = {
    {"\xEF\xBB\xBF", encoding::utf8},
    {"\xFF\xFE", encoding::utf16le},
    {"\xFE\xFF", encoding::utf16be},
};

// The encoding a file's mark names, with the mark read past; none without one.
std::optional<encoding> markedEncoding(QIODevice &device)
{
    const QByteArray start = device.peek(3);
    for (const auto &marked : marks) {
        if (start.startsWith(marked.mark)) {
            device.skip(qstrlen(marked.mark));
            return marked.kind;
        }
    }
    return std::nullopt;
}

// Each line is decoded on its own, so a line cut inside a letter leaves
// nothing over for the next; a mark at a line's start is then text.
QStringDecoder lineDecoder(encoding kind)
{
    const QStringConverter::Flags lineByLine = QStringConverter::Flag::Stateless
                                               | QStringConverter::Flag::ConvertInitialBom;
    switch (kind) {
    case encoding::utf8:
        return QStringDecoder(QStringConverter::Utf8, lineByLine);
    case encoding::utf16le:
        return QStringDecoder(QStringConverter::Utf16LE, lineByLine);
    case encoding::utf16be:
        return QStringDecoder(QStringConverter::Utf16BE, lineByLine);
    case encoding::codePage:
        break;
    }
    return QStringDecoder(codePage, lineByLine);
}

// The LF as the encoding writes it: one unit of that encoding.
QByteArray lineFeed(encoding kind)
{
    switch (kind) {
    case encoding::utf16le:
        return QByteArray("\n\0", 2);
    case encoding::utf16be:
        return QByteArray("\0\n", 2);
    default:
        return QByteArray("\n");
    }
}

// Where feed stands in bytes as a whole unit of its size; -1 when nowhere.
qsizetype unitAt(const QByteArray &bytes, const QByteArray &feed)
{
    qsizetype at = bytes.indexOf(feed);
    while (at >= 0 && at % feed.size() != 0)
        at = bytes.indexOf(feed, at + 1);
    return at;
}

// The next line's bytes before its LF, cut at maxLineBytes; the rest of a
// longer line is read past, never kept. False at the file's end.
bool nextLine(QIODevice &device, const QByteArray &feed, QByteArray &line)
{
    line.clear();
    bool started = false;
    for (;;) {
        QByteArray chunk = device.peek(chunkBytes);
        if (chunk.isEmpty())
            return started;
        started = true;
        // Whole units only, but for an odd last byte.
        if (chunk.size() >= feed.size())
            chunk.chop(chunk.size() % feed.size());
        const qsizetype end = unitAt(chunk, feed);
        const QByteArray text = end < 0 ? chunk : chunk.left(end);
        line += text.left(paramFile::maxLineBytes - line.size());
        device.skip(end < 0 ? chunk.size() : end + feed.size());
        if (end >= 0)
            return true;
    }
}

// Line ends converted twice (CR CR LF) leave no CR behind.
QString withoutCR(QStringDecoder &decoder, const QByteArray &line)
{
    QString text = decoder.decode(line);
    return text.remove(QLatin1Char('\r'));
}

// A file without a mark is UTF-8 when every line is valid UTF-8 and some
// byte is beyond ASCII. In the code page a letter above 0x7F would have to
// be followed by just the right punctuation for that, for every such letter.
encoding unmarkedEncoding(const QList<QByteArray> &lines)
{
    bool beyondAscii = false;
    for (const QByteArray &line : lines) {
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        // The error is known only once the line is converted.
        [[maybe_unused]] const QString text = utf8.decode(line);
        if (utf8.hasError())
            return encoding::codePage;
        beyondAscii = beyondAscii || std::any_of(line.cbegin(), line.cend(), [](char byte) { return byte & 0x80; });
    }
    return beyondAscii ? encoding::utf8 : encoding::codePage;
}

// One code point of text at index: two units for a surrogate pair.
qsizetype codePointLength(QStringView text, qsizetype index)
{
    const bool pair = text.at(index).isHighSurrogate() && index + 1 < text.size()
                      && text.at(index + 1).isLowSurrogate();
    return pair ? 2 : 1;
}

// Whether the file can hold the letter: the code page has it, and it is not
// the NUL that marks a damaged file.
bool writable(QStringView letter)
{
    QStringEncoder encoder(codePage);
    // The error is known only once the text is converted.
    [[maybe_unused]] const QByteArray bytes = encoder.encode(letter);
    return !encoder.hasError() && letter != QStringView(u"\0", 1);
}

// The first letter of text that the file cannot hold.
std::optional<char32_t> firstMissing(QStringView text)
{
    for (qsizetype i = 0; i < text.size();) {
        const QStringView letter = text.mid(i, codePointLength(text, i));
        if (!writable(letter))
            return letter.size() == 2 ? QChar::surrogateToUcs4(letter[0], letter[1]) : letter[0].unicode();
        i += letter.size();
    }
    return std::nullopt;
}

// What in a text keeps it from coming back out of a file, in the user's terms.
std::optional<paramFile::Refusal> flawOf(qsizetype line, QStringView text)
{
    using Why = paramFile::Refusal::Why;
    if (lineBreaks::in(text))
        return paramFile::Refusal{line, Why::lineBreak, 0, {}};
    if (text == endLine)
        return paramFile::Refusal{line, Why::endLine, 0, {}};
    if (!text.isValidUtf16())
        return paramFile::Refusal{line, Why::halfLetter, 0, {}};
    if (const std::optional<char32_t> letter = firstMissing(text))
        return paramFile::Refusal{line, Why::missingLetter, *letter, {}};
    return std::nullopt;
}

// Why lines would come back as readBack: the first line with a flaw of its
// own, else the first line that comes back changed.
paramFile::Refusal refusalOf(const QStringList &lines, const QStringList &readBack)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (const std::optional<paramFile::Refusal> flaw = flawOf(i, lines.at(i)))
            return *flaw;
    }
    qsizetype changed = 0;
    while (changed < lines.size() && lines.at(changed) == readBack.value(changed))
        ++changed;
    return {changed, paramFile::Refusal::Why::readsOtherwise, 0, readBack.value(changed)};
}

QStringList formLines(const formValues &values)
{
    QStringList lines = values.texts;
    for (bool flag : values.flags)
        lines.append(QLatin1String(flag ? "1" : "0"));
    return lines;
}

QByteArray fileBytes(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + QLatin1String("\r\n");
    QStringEncoder encoder(codePage);
    return encoder.encode(text);
}

} // namespace

paramFile::paramFile(const QStringList &lines)
    : fileLines(lines)
{
}

paramFile paramFile::read(const QString &path, int neededLines)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return paramFile({QString()});
    return read(file, neededLines);
}

paramFile paramFile::read(QIODevice &device, int neededLines)
{
    const std::optional<encoding> marked = markedEncoding(device);
    // Without a mark the end line reads alike in the code page and in UTF-8.
    const encoding provisional = marked.value_or(encoding::codePage);
    QStringDecoder decoder = lineDecoder(provisional);
    const QByteArray feed = lineFeed(provisional);
    QList<QByteArray> rawLines;
    QByteArray line;
    while (rawLines.size() <= neededLines && nextLine(device, feed, line)) {
        rawLines.append(line);
        if (withoutCR(decoder, line) == endLine)
            break;
    }

    decoder = lineDecoder(marked ? *marked : unmarkedEncoding(rawLines));
    QStringList lines;
    for (const QByteArray &raw : rawLines)
        lines.append(withoutCR(decoder, raw));
    // No text file holds a NUL: it is damaged, or in an encoding not read here.
    const bool damaged = std::any_of(lines.cbegin(), lines.cend(),
                                     [](const QString &text) { return text.contains(QChar(0)); });
    if (lines.isEmpty() || damaged)
        return paramFile({QString()});
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

paramFile::WriteResult paramFile::write(const QString &path, const formValues &values)
{
    WriteResult result;
    const QStringList lines = formLines(values);
    QByteArray bytes = fileBytes(lines);
    // The bytes go to the file only when opening it would give the form back.
    QBuffer written(&bytes);
    written.open(QIODevice::ReadOnly);
    const QStringList readBack = read(written, int(lines.size())).lines();
    if (readBack != lines) {
        result.refusal = refusalOf(lines, readBack);
        return result;
    }

    // The explicit flush matters: commit() alone misses an error that only
    // shows when the buffer is written out, and would replace the old file
    // with a cut one. An uncommitted file is discarded, the old one kept.
    QSaveFile file(path);
    // The new file is made beside the old one and renamed over it; a folder
    // the user may not write to has no room for that, and only then the
    // file itself is written over.
    file.setDirectWriteFallback(true);
    result.written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush()
                     && file.commit();
    if (!result.written)
        result.error = file.errorString();
    return result;
}

QString paramFile::Refusal::shownLetter() const
{
    const QString code = QString::number(letter, 16).toUpper().rightJustified(4, QLatin1Char('0'));
    return QStringLiteral("\"%1\" (U+%2)").arg(QString::fromUcs4(&letter, 1), code);
}

QString paramFile::fileName(const QString &path)
{
    const QFileInfo info(path);
    return info.baseName() + QLatin1Char('.') + info.completeSuffix();
}
