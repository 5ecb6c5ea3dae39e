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
    utf8,            // UTF-8 without a mark, as most Linux editors write it
    utf16le,         // UTF-16 behind its mark, as a Windows editor's "Unicode"
    utf16be,         // the same in the other byte order
};

QByteArray bytes(const QStringList &lines, saving how);

// A window test's rows, the same in both programs: how a file was saved, the
// field (object name) whose line the test sets, that line, and what the
// field shows once the file is open; a file that is refused shows nothing.
void addOpeningRows();

} // namespace editorFiles

Q_DECLARE_METATYPE(editorFiles::saving)
