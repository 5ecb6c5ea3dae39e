#include "editorfiles.h"

#include <QStringEncoder>
#include <QTest>

namespace editorFiles {

QByteArray bytes(const QStringList &lines, saving how)
{
    const QLatin1String lineEnd(how == saving::lineEndsTwice ? "\r\r\n" : "\r\n");
    QString text;
    for (const QString &line : lines)
        text += line + lineEnd;
    switch (how) {
    case saving::utf8WithMark:
        return "\xEF\xBB\xBF" + text.toUtf8();
    case saving::utf8:
        return text.toUtf8();
    case saving::utf16le:
        return QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom).encode(text);
    case saving::utf16be:
        return QStringEncoder(QStringConverter::Utf16BE, QStringConverter::Flag::WriteBom).encode(text);
    case saving::program:
    case saving::lineEndsTwice:
        break;
    }
    return QStringEncoder("windows-1250").encode(text);
}

void addOpeningRows()
{
    QTest::addColumn<saving>("how");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("inFile");
    QTest::addColumn<QString>("shown"); // empty: the file is refused, the field keeps its text

    const QString accents = QStringLiteral("Leállítás ő é");
    QTest::newRow("CR CR LF") << saving::lineEndsTwice << "m_nev" << "Kazan" << "Kazan";
    QTest::newRow("CR inside a line") << saving::program << "m_nev" << "Kaz\ran" << "Kazan";
    QTest::newRow("UTF-8 with its mark") << saving::utf8WithMark << "riaszto_stop" << accents << accents;
    QTest::newRow("UTF-8 without a mark") << saving::utf8 << "riaszto_stop" << accents << accents;
    QTest::newRow("UTF-16 LE with its mark") << saving::utf16le << "riaszto_stop" << accents << accents;
    QTest::newRow("UTF-16 BE with its mark") << saving::utf16be << "riaszto_stop" << accents << accents;
    QTest::newRow("a NUL byte: damaged") << saving::program << "m_nev" << QStringLiteral("Kaz%1an").arg(QChar(0))
                                         << "";
}

} // namespace editorFiles
