#include "linksettings.h"
#include "paramfile.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const int textCount = 35;
const int flagCount = 16;
const int fieldCount = textCount + flagCount;
const int neededLines = fieldCount + paramFile::displayLineCount;

formValues sampleForm()
{
    formValues form;
    for (int i = 1; i <= textCount; ++i)
        form.texts.append(QStringLiteral("mező %1 ").arg(i));
    form.texts[0] = QString();
    form.texts[3] = QStringLiteral("Kő és fű");
    for (int k = 0; k < flagCount; ++k)
        form.flags.append(k % 3 == 0);
    return form;
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// count lines "line 1" .. "line <count>", each ended by CR LF.
QByteArray numberedLines(int count)
{
    QByteArray bytes;
    for (int i = 1; i <= count; ++i)
        bytes += "line " + QByteArray::number(i) + "\r\n";
    return bytes;
}

// Writes bytes to the file count times over, without holding them all.
void appendRepeated(QFile &file, const QByteArray &bytes, qint64 count)
{
    for (qint64 i = 0; i < count; ++i)
        QCOMPARE(file.write(bytes), bytes.size());
}

constexpr qint64 megabyte = 1024 * 1024;

// text in UTF-16 behind its mark, in either byte order.
QByteArray utf16(const char16_t *text, bool bigEndian)
{
    QStringEncoder encoder(bigEndian ? QStringConverter::Utf16BE : QStringConverter::Utf16LE,
                           QStringConverter::Flag::WriteBom);
    return encoder.encode(QString::fromUtf16(text));
}

// Each letter of the code page above 0x7F, in the order of its bytes.
QByteArray codePageLetters()
{
    QByteArray letters;
    for (int byte = 0x80; byte <= 0xFF; ++byte)
        letters += char(byte);
    return letters;
}

} // namespace

Q_DECLARE_METATYPE(paramFile::Refusal::Why)

class FilesTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void roundTripKeepsEveryField();
    void writesOnlyWhatReadsBack_data();
    void writesOnlyWhatReadsBack();
    void lineCounts_data();
    void lineCounts();
    void checkBoxLines_data();
    void checkBoxLines();
    void lineEnds_data();
    void lineEnds();
    void displayLines_data();
    void displayLines();
    void hugeFiles_data();
    void hugeFiles();
    void tailBeyondTheNeededLinesIsNeverRead();
    void saveIntoMissingFolderFails();
    void failedWriteKeepsOldFile();
    void saveOverWritableFileInReadOnlyFolder();
    void fileName_data();
    void fileName();

private:
    std::unique_ptr<QTemporaryDir> dir;
    QString path;
};

void FilesTest::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    path = dir->filePath(QStringLiteral("unit.vrk"));
}

void FilesTest::roundTripKeepsEveryField()
{
    const formValues form = sampleForm();
    QVERIFY(paramFile::write(path, form).written);

    const QByteArray bytes = readBytes(path);
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count("\r\n"), fieldCount);
    QCOMPARE(bytes.count('\n'), fieldCount);
    QCOMPARE(bytes.count('\r'), fieldCount);

    const paramFile file = paramFile::read(path, neededLines);
    QCOMPARE(file.lines().size(), fieldCount);
    QVERIFY(file.holdsForm(fieldCount));
    const formValues back = file.values(textCount, flagCount);
    QCOMPARE(back.texts, form.texts);
    QCOMPARE(back.flags, form.flags);
    QCOMPARE(file.lines().at(textCount), QStringLiteral("1"));
    QCOMPARE(file.lines().at(textCount + 1), QStringLiteral("0"));
}

void FilesTest::writesOnlyWhatReadsBack_data()
{
    using Why = paramFile::Refusal::Why;
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QByteArray>("bytes"); // the file after the save
    QTest::addColumn<int>("line");         // the line refused; -1 when written
    QTest::addColumn<Why>("why");
    QTest::addColumn<QString>("detail");   // the letter as shown, or the line read back

    const QByteArray old("old\r\n");
    const Why missing = Why::missingLetter;
    QTest::newRow("code page letters") << QStringList{"ő é", "€Ő"} << QByteArray("\xf5 \xe9\r\n\x80\xd5\r\n") << -1
                                       << missing << "";
    QTest::newRow("n tilde") << QStringList{"ő", "Peña"} << old << 1 << missing << "\"ñ\" (U+00F1)";
    QTest::newRow("line separator") << QStringList{"a\u2028b"} << old << 0 << missing << "\"\u2028\" (U+2028)";
    // A character outside the basic plane counts once.
    QTest::newRow("emoji") << QStringList{"x\U0001F600yЖ"} << old << 0 << missing << "\"\U0001F600\" (U+1F600)";
    QTest::newRow("NUL") << QStringList{"ok", QStringLiteral("a") + QChar(0)} << old << 1 << missing
                         << QStringLiteral("\"") + QChar(0) + QStringLiteral("\" (U+0000)");
    // A field's length limit keeps the first half of the emoji.
    QTest::newRow("half an emoji") << QStringList{"ok", QString::fromUtf16(u"Riasztas vege 1\xD83D")} << old << 1
                                   << Why::halfLetter << "";
    QTest::newRow("LF inside") << QStringList{"Gate\nNorth", "x"} << old << 0 << Why::lineBreak << "";
    QTest::newRow("CR inside reads as ---") << QStringList{"a", "--\r-"} << old << 1 << Why::lineBreak << "";
    QTest::newRow("end line") << QStringList{"a", "---", "b"} << old << 1 << Why::endLine << "";
    // Code page bytes that are valid UTF-8 (0xC3 0xA9) would open as another letter.
    QTest::newRow("reads as UTF-8") << QStringList{"x", "Ă©"} << old << 1 << Why::readsOtherwise << "é";
    QTest::newRow("starts like a UTF-8 mark") << QStringList{"ď»żx"} << old << 0 << Why::readsOtherwise << "x";
}

void FilesTest::writesOnlyWhatReadsBack()
{
    QFETCH(QStringList, texts);
    QFETCH(QByteArray, bytes);
    QFETCH(int, line);
    QFETCH(paramFile::Refusal::Why, why);
    QFETCH(QString, detail);

    writeBytes(path, "old\r\n");
    formValues form;
    form.texts = texts;
    const paramFile::WriteResult result = paramFile::write(path, form);
    QCOMPARE(result.refusal.line, line);
    QCOMPARE(result.written, line < 0);
    QCOMPARE(readBytes(path), bytes);
    if (line < 0)
        return;
    QCOMPARE(result.refusal.why, why);
    if (why == paramFile::Refusal::Why::readsOtherwise)
        QCOMPARE(result.refusal.readBack, detail);
    if (why == paramFile::Refusal::Why::missingLetter)
        QCOMPARE(result.refusal.shownLetter(), detail);
}

void FilesTest::lineCounts_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("linesRead");
    QTest::addColumn<bool>("holdsForm");

    QTest::newRow("50 lines") << numberedLines(50) << 50 << false;
    QTest::newRow("51 lines") << numberedLines(51) << 51 << true;
    QTest::newRow("54 lines") << numberedLines(54) << 54 << true;
    QTest::newRow("60 lines: one past the needed") << numberedLines(60) << 55 << true;
    QTest::newRow("end line at 20") << numberedLines(19) + "---\r\n" + numberedLines(40) << 20
                                    << false;
    QTest::newRow("end line as 51") << numberedLines(50) + "---\r\n" + numberedLines(5) << 51
                                    << true;
    QTest::newRow("end line with space") << numberedLines(50) + "--- \r\n" + numberedLines(5)
                                         << 55 << true;
}

void FilesTest::lineCounts()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, linesRead);
    QFETCH(bool, holdsForm);

    writeBytes(path, bytes);
    const paramFile file = paramFile::read(path, neededLines);
    QCOMPARE(file.lines().size(), linesRead);
    QCOMPARE(file.holdsForm(fieldCount), holdsForm);
    if (!holdsForm)
        return;
    const formValues form = file.values(textCount, flagCount);
    QCOMPARE(form.texts.size(), textCount);
    QCOMPARE(form.flags.size(), flagCount);
    QCOMPARE(form.texts.first(), QStringLiteral("line 1"));
    QCOMPARE(form.texts.last(), QStringLiteral("line 35"));
    // The last box's line is "line 51" or "---": unticked either way.
    QCOMPARE(form.flags.last(), false);
}

void FilesTest::checkBoxLines_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("ticked");

    QTest::newRow("1") << QByteArray("1") << true;
    QTest::newRow("0") << QByteArray("0") << false;
    QTest::newRow("space before") << QByteArray(" 1") << false;
    QTest::newRow("space after") << QByteArray("1 ") << false;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("word") << QByteArray("igen") << false;
    QTest::newRow("11") << QByteArray("11") << false;
}

void FilesTest::checkBoxLines()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, ticked);

    const int box = 6;
    QByteArray bytes = numberedLines(textCount);
    for (int k = 0; k < flagCount; ++k)
        bytes += (k == box ? line : QByteArray(k == box - 1 ? "1" : "0")) + "\r\n";
    writeBytes(path, bytes);

    const formValues form = paramFile::read(path, neededLines).values(textCount, flagCount);
    QCOMPARE(form.flags.at(box), ticked);
    QCOMPARE(form.flags.at(box - 1), true);
    QCOMPARE(form.flags.count(true), ticked ? 2 : 1);
}

void FilesTest::lineEnds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("empty file") << QByteArray() << QStringList{QString()};
    QTest::newRow("only a line end") << QByteArray("\r\n") << QStringList{QString()};
    QTest::newRow("LF alone") << QByteArray("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("mixed") << QByteArray("a\r\n\nb\r\n") << QStringList{"a", "", "b"};
    QTest::newRow("no final end") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("empty last line") << QByteArray("a\r\n\r\n") << QStringList{"a", ""};
    QTest::newRow("CR inside") << QByteArray("Kaz\ran\r\n") << QStringList{"Kazan"};
    QTest::newRow("CR CR LF") << QByteArray("a\r\r\n\r\r\nb\r\r\n") << QStringList{"a", "", "b"};
    QTest::newRow("stops after end line") << QByteArray("a\r\n---\r\nb\r\n")
                                          << QStringList{"a", "---"};
    QTest::newRow("end line, CR CR LF") << QByteArray("a\r\r\n---\r\r\nb\r\r\n")
                                        << QStringList{"a", "---"};
    QTest::newRow("UTF-8 with its mark") << QByteArray("\xEF\xBB\xBF" "K\xC5\x91 \xC3\xA9s\r\n---\r\n")
                                         << QStringList{"K\u0151 \u00E9s", "---"};
    QTest::newRow("UTF-8, a mark in a line") << QByteArray("\xEF\xBB\xBF" "a\r\n\xEF\xBB\xBF" "b\r\n")
                                             << QStringList{"a", QStringLiteral("\uFEFFb")};
    // Valid UTF-8 without a mark at the start: the later one is text.
    QTest::newRow("mark after the start") << QByteArray("a\r\n\xEF\xBB\xBF\r\n")
                                          << QStringList{"a", QStringLiteral("\uFEFF")};
    // A unit holding 0x0A inside a letter ("Ċ" is 0A 01 in UTF-16 LE, "Ā" and U+0A41 are 01 00 0A 41
    // in UTF-16 BE) ends no line.
    QTest::newRow("UTF-16 LE with its mark") << utf16(u"Kő Ċ\r\n---\r\n", false)
                                             << QStringList{"K\u0151 \u010A", "---"};
    QTest::newRow("UTF-16 BE with its mark") << utf16(u"\u0100\u0A41 é\r\n\r\nb", true)
                                             << QStringList{"\u0100\u0A41 \u00E9", "", "b"};
    QTest::newRow("UTF-8 without a mark") << QByteArray("a\r\nLe\xC3\xA1ll\xC3\xADt\xC3\xA1s\r\n")
                                          << QStringList{"a", "Le\u00E1ll\u00EDt\u00E1s"};
    // "Ă©" is valid UTF-8 on its own; the file is not.
    QTest::newRow("every code page letter above 0x7F")
        << "\xC3\xA9\r\n" + codePageLetters() + "\r\n"
        << QStringList{"Ă©", QStringDecoder("windows-1250").decode(codePageLetters())};
    QTest::newRow("a NUL byte: damaged") << QByteArray("a\r\nb\0c\r\n", 8) << QStringList{QString()};
    QTest::newRow("UTF-16 without a mark: damaged") << QByteArray("a\0\r\0\n\0", 6) << QStringList{QString()};
    // The cut falls inside "ő": its first byte must not spoil the next line.
    QTest::newRow("UTF-8 letter cut at the limit")
        << QByteArray("\xEF\xBB\xBF") + QByteArray(paramFile::maxLineBytes - 1, 'x') + "\xC5\x91\r\n\xC5\x91\r\n"
        << QStringList{QString(paramFile::maxLineBytes - 1, QLatin1Char('x')) + QChar::ReplacementCharacter, "\u0151"};
}

void FilesTest::lineEnds()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);

    writeBytes(path, bytes);
    QCOMPARE(paramFile::read(path, neededLines).lines(), lines);
}

void FilesTest::displayLines_data()
{
    QTest::addColumn<QByteArray>("extra");
    QTest::addColumn<QStringList>("expected"); // link, about, picture

    QTest::newRow("none") << QByteArray() << QStringList{"old link", "old about", "old picture"};
    QTest::newRow("link only") << QByteArray("<a href=\"x\">x</a>\r\n")
                               << QStringList{"<a href=\"x\">x</a>", "old about", "old picture"};
    QTest::newRow("all three") << QByteArray("link\r\nabout\r\n:/img/img/a.png\r\nmore\r\n")
                               << QStringList{"link", "about", ":/img/img/a.png"};
    QTest::newRow("end line") << QByteArray("---\r\nabout\r\n")
                              << QStringList{"---", "old about", "old picture"};
}

void FilesTest::displayLines()
{
    QFETCH(QByteArray, extra);
    QFETCH(QStringList, expected);

    writeBytes(path, numberedLines(fieldCount) + extra);
    linkSettings settings;
    settings.linkText = QStringLiteral("old link");
    settings.aboutText = QStringLiteral("old about");
    settings.imagePath = QStringLiteral("old picture");
    paramFile::read(path, neededLines).takeDisplayLines(fieldCount, settings);
    QCOMPARE(QStringList({settings.linkText, settings.aboutText, settings.imagePath}), expected);
}

void FilesTest::hugeFiles_data()
{
    QTest::addColumn<int>("shortLinesBefore");
    QTest::addColumn<qint64>("longLineBytes"); // one line of 'x' after them; 0: none
    QTest::addColumn<qint64>("shortLinesAfter");
    QTest::addColumn<int>("linesRead");

    QTest::newRow("50 MB of short lines") << 0 << qint64(0) << 50 * megabyte / 6 << neededLines + 1;
    QTest::newRow("one 50 MB line") << 0 << 50 * megabyte << qint64(0) << 1;
    QTest::newRow("a long line among short ones") << 2 << 3 * megabyte << qint64(100)
                                                  << neededLines + 1;
    QTest::newRow("a line just at the limit") << 2 << paramFile::maxLineBytes << qint64(100)
                                              << neededLines + 1;
    QTest::newRow("a long last line") << fieldCount << 3 * megabyte << qint64(0) << fieldCount + 1;
}

void FilesTest::hugeFiles()
{
    QFETCH(int, shortLinesBefore);
    QFETCH(qint64, longLineBytes);
    QFETCH(qint64, shortLinesAfter);
    QFETCH(int, linesRead);
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        appendRepeated(file, "line\r\n", shortLinesBefore);
        appendRepeated(file, QByteArray(megabyte, 'x'), longLineBytes / megabyte);
        appendRepeated(file, "x", longLineBytes % megabyte);
        appendRepeated(file, "\r\n", longLineBytes > 0 ? 1 : 0);
        appendRepeated(file, "line\r\n", shortLinesAfter);
    }

    const paramFile file = paramFile::read(path, neededLines);
    QCOMPARE(file.lines().size(), linesRead);
    QCOMPARE(file.holdsForm(fieldCount), linesRead >= fieldCount);
    if (longLineBytes > 0) {
        QCOMPARE(file.lines().at(shortLinesBefore).size(), qMin(longLineBytes, paramFile::maxLineBytes));
        // The rest of the long line is skipped, not taken for lines of its own.
        QCOMPARE(file.lines().value(shortLinesBefore + 1, QStringLiteral("line")), QStringLiteral("line"));
    }
}

void FilesTest::tailBeyondTheNeededLinesIsNeverRead()
{
#ifdef Q_OS_UNIX
    // A pipe in place of the file: the writer offers 50 MB and learns when
    // the reader lets go, so how much it could write is what was read.
    const QByteArray fifo = QFile::encodeName(path);
    QCOMPARE(mkfifo(fifo.constData(), 0600), 0);
    const auto oldHandler = std::signal(SIGPIPE, SIG_IGN);
    std::atomic<qint64> written{0};
    std::thread writer([&] {
        const int fd = ::open(fifo.constData(), O_WRONLY);
        const QByteArray lines = numberedLines(1000);
        while (fd >= 0 && written < 50 * megabyte) {
            const ssize_t count = ::write(fd, lines.constData(), size_t(lines.size()));
            if (count <= 0)
                break;
            written += count;
        }
        if (fd >= 0)
            ::close(fd);
    });
    const paramFile file = paramFile::read(path, neededLines);
    // A writer still waiting for its reader is let go.
    const int release = ::open(fifo.constData(), O_RDONLY | O_NONBLOCK);
    if (release >= 0)
        ::close(release);
    writer.join();
    std::signal(SIGPIPE, oldHandler);

    QCOMPARE(file.lines().size(), neededLines + 1);
    QCOMPARE(file.lines().first(), QStringLiteral("line 1"));
    QVERIFY2(written < megabyte, qPrintable(QStringLiteral("%1 bytes read").arg(written.load())));
#else
    QSKIP("needs a named pipe");
#endif
}

void FilesTest::saveIntoMissingFolderFails()
{
    const QString missing = dir->filePath(QStringLiteral("no such folder/unit.vrk"));
    const paramFile::WriteResult result = paramFile::write(missing, sampleForm());
    QVERIFY(!result.written);
    QVERIFY(!result.error.isEmpty());
    QVERIFY(!QFile::exists(missing));
}

void FilesTest::failedWriteKeepsOldFile()
{
#ifdef Q_OS_UNIX
    const QByteArray old = numberedLines(fieldCount);
    writeBytes(path, old);

    // A file-size limit far below the new file's size makes the write fail
    // half-way, whoever runs the test.
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = saved;
    tight.rlim_cur = 64;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
    const paramFile::WriteResult result = paramFile::write(path, sampleForm());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(!result.written);
    QVERIFY(!result.error.isEmpty());
    QCOMPARE(readBytes(path), old);
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{"unit.vrk"});
#else
    QSKIP("needs a file-size limit");
#endif
}

void FilesTest::saveOverWritableFileInReadOnlyFolder()
{
#ifdef Q_OS_LINUX
    const QString folder = dir->filePath(QStringLiteral("shared"));
    QVERIFY(QDir().mkdir(folder));
    const QString target = folder + QStringLiteral("/unit.vrk");
    writeBytes(target, "old\r\n");
    const QFile::Permissions readAndEnter = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup
                                            | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    QVERIFY(QFile::setPermissions(dir->path(), readAndEnter | QFile::WriteOwner));
    QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                              | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther));
    QVERIFY(QFile::setPermissions(folder, readAndEnter));
    // Root passes every permission check; as another user for files it
    // meets the folder's as a user would.
    const uid_t nobody = 65534;
    const bool root = geteuid() == 0;
    if (root)
        setfsuid(nobody);
    const paramFile::WriteResult result = paramFile::write(target, sampleForm());
    if (root)
        setfsuid(0);
    QVERIFY(QFile::setPermissions(folder, readAndEnter | QFile::WriteOwner));

    QVERIFY2(result.written, qPrintable(result.error));
    QCOMPARE(paramFile::read(target, neededLines).values(textCount, flagCount).texts, sampleForm().texts);
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"unit.vrk"});
#else
    QSKIP("needs Linux file permissions");
#endif
}

void FilesTest::fileName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("shown");

    QTest::newRow("plain") << "/home/x/unit.vrk" << "unit.vrk";
    QTest::newRow("two dots") << "/home/x/unit.a.vrk" << "unit.a.vrk";
    QTest::newRow("no dot") << "/home/x/unit" << "unit.";
    QTest::newRow("dotted folder") << "/home/x.y/unit" << "unit.";
    QTest::newRow("relative") << "varlok_default.dll" << "varlok_default.dll";
}

void FilesTest::fileName()
{
    QFETCH(QString, path);
    QFETCH(QString, shown);
    QCOMPARE(paramFile::fileName(path), shown);
}

QTEST_GUILESS_MAIN(FilesTest)
#include "test_files.moc"
