#pragma once

#include <QtGlobal>

class QDialogButtonBox;
class QString;

// A one-character setting taken from a dialog edit: the first byte of the
// text's Latin-1 form ('?' for a character outside Latin-1), 0 when empty.
qint8 firstByteOf(const QString &text);

// The character dialogs offer Ok only while their edits hold text.
void enableOk(QDialogButtonBox *buttons, bool filled);
