#include "linksettings.h"
#include "paramfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

const int textCount = 35;
const int flagCount = 16;
const int fieldCount = textCount + flagCount;

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

} // namespace

class FilesTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void roundTripKeepsEveryField();
    void writesCodePageBytes();
    void lineCounts_data();
    void lineCounts();
    void checkBoxLines_data();
    void checkBoxLines();
    void lineEnds_data();
    void lineEnds();
    void displayLines_data();
    void displayLines();
    void saveIntoMissingFolderFails();
    void failedWriteKeepsOldFile();
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
    QString reason;
    QVERIFY(paramFile::write(path, form, &reason));

    const QByteArray bytes = readBytes(path);
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count("\r\n"), fieldCount);
    QCOMPARE(bytes.count('\n'), fieldCount);
    QCOMPARE(bytes.count('\r'), fieldCount);

    const paramFile file = paramFile::read(path);
    QCOMPARE(file.lines().size(), fieldCount);
    QVERIFY(file.holdsForm(fieldCount));
    const formValues back = file.values(textCount, flagCount);
    QCOMPARE(back.texts, form.texts);
    QCOMPARE(back.flags, form.flags);
    QCOMPARE(file.lines().at(textCount), QStringLiteral("1"));
    QCOMPARE(file.lines().at(textCount + 1), QStringLiteral("0"));
}

void FilesTest::writesCodePageBytes()
{
    formValues form;
    form.texts = {QStringLiteral("ő é"), QStringLiteral("€Ő"), QStringLiteral("aЖb"),
                  QStringLiteral("x\U0001F600y")};
    QVERIFY(paramFile::write(path, form, nullptr));
    // Letters the code page lacks are written as '?'; a character outside
    // the basic plane counts once.
    QCOMPARE(readBytes(path), QByteArray("\xf5 \xe9\r\n\x80\xd5\r\na?b\r\nx?y\r\n"));
    QCOMPARE(paramFile::read(path).lines().first(), QStringLiteral("ő é"));
}

void FilesTest::lineCounts_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("linesRead");
    QTest::addColumn<bool>("holdsForm");

    QTest::newRow("50 lines") << numberedLines(50) << 50 << false;
    QTest::newRow("51 lines") << numberedLines(51) << 51 << true;
    QTest::newRow("60 lines") << numberedLines(60) << 60 << true;
    QTest::newRow("end line at 20") << numberedLines(19) + "---\r\n" + numberedLines(40) << 20
                                    << false;
    QTest::newRow("end line as 51") << numberedLines(50) + "---\r\n" + numberedLines(5) << 51
                                    << true;
    QTest::newRow("end line with space") << numberedLines(50) + "--- \r\n" + numberedLines(5)
                                         << 56 << true;
}

void FilesTest::lineCounts()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, linesRead);
    QFETCH(bool, holdsForm);

    writeBytes(path, bytes);
    const paramFile file = paramFile::read(path);
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

    const formValues form = paramFile::read(path).values(textCount, flagCount);
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
    QTest::newRow("CR inside") << QByteArray("a\rb\r\n") << QStringList{"a\rb"};
    QTest::newRow("stops after end line") << QByteArray("a\r\n---\r\nb\r\n")
                                          << QStringList{"a", "---"};
}

void FilesTest::lineEnds()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);

    writeBytes(path, bytes);
    QCOMPARE(paramFile::read(path).lines(), lines);
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
    paramFile::read(path).takeDisplayLines(fieldCount, settings);
    QCOMPARE(QStringList({settings.linkText, settings.aboutText, settings.imagePath}), expected);
}

void FilesTest::saveIntoMissingFolderFails()
{
    const QString missing = dir->filePath(QStringLiteral("no such folder/unit.vrk"));
    QString reason;
    QVERIFY(!paramFile::write(missing, sampleForm(), &reason));
    QVERIFY(!reason.isEmpty());
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
    QString reason;
    const bool written = paramFile::write(path, sampleForm(), &reason);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(!written);
    QVERIFY(!reason.isEmpty());
    QCOMPARE(readBytes(path), old);
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{"unit.vrk"});
#else
    QSKIP("needs a file-size limit");
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
