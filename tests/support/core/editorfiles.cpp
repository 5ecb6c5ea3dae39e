#include "editorfiles.h"

#include <QStringEncoder>

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

} // namespace editorFiles
