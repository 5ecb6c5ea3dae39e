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

// A window test's rows, the same in both programs: how a file was saved, the
// field (object name) whose line the test sets, that line, and what the
// field shows once the file is open.
void addOpeningRows();

} // namespace editorFiles

Q_DECLARE_METATYPE(editorFiles::saving)
