#pragma once

#include "chardialog.h"

class Ui_setAck;

// Asks for the ACK character, starting from the current one.
class setAck : public charDialog
{
    Q_OBJECT

public:
    setAck(QWidget *parent, qint8 ack);
    ~setAck() override;

    // The typed character as a byte; 0 when the edit is empty.
    qint8 character() const { return editByte(0); }

protected:
    void retranslate() override;

private:
    Ui_setAck *ui;
};
