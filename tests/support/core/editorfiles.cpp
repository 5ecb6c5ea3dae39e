#include "editorfiles.h"

#include <QStringEncoder>
#include <QTest>

namespace editorFiles {

namespace {

QByteArray encoded(const QString &line, saving how)
{
    if (how == saving::utf8WithMark)
        return line.toUtf8();
    QStringEncoder codePage("windows-1250");
    return codePage.encode(line);
}

} // namespace

QByteArray bytes(const QStringList &lines, saving how)
{
    const QByteArray lineEnd = how == saving::lineEndsTwice ? "\r\r\n" : "\r\n";
    QByteArray text = how == saving::utf8WithMark ? "\xEF\xBB\xBF" : "";
    for (const QString &line : lines)
        text += encoded(line, how) + lineEnd;
    return text;
}

void addOpeningRows()
{
    QTest::addColumn<saving>("how");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("inFile");
    QTest::addColumn<QString>("shown");

    QTest::newRow("CR CR LF") << saving::lineEndsTwice << "m_nev" << "Kazan" << "Kazan";
    QTest::newRow("CR inside a line") << saving::program << "m_nev" << "Kaz\ran" << "Kazan";
    QTest::newRow("UTF-8 with its mark") << saving::utf8WithMark << "riaszto_stop" << "Leállítás ő é" << "Leállítás ő é";
}

} // namespace editorFiles
