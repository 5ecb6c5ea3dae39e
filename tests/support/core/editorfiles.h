#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QStringList>

// Parameter files as the programs save them and as other editors leave them.
namespace editorFiles {

enum class saving {
    program,         // windows-1250, each line ended CR LF
    lineEndsTwice,   // the same with its line ends converted twice: CR CR LF
    utf8WithMark,    // UTF-8 behind the byte-order mark, CR LF
};

QByteArray bytes(const QStringList &lines, saving how);

} // namespace editorFiles

Q_DECLARE_METATYPE(editorFiles::saving)
