#include "charsetting.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QString>

qint8 firstByteOf(const QString &text)
{
    const QByteArray bytes = text.toLatin1();
    return bytes.isEmpty() ? qint8(0) : static_cast<qint8>(bytes.at(0));
}

void enableOk(QDialogButtonBox *buttons, bool filled)
{
    buttons->button(QDialogButtonBox::Ok)->setEnabled(filled);
}
