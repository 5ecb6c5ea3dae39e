#pragma once

#include "chardialog.h"

class Ui_setUC;

// Asks for the upload command character, starting from the current one.
class setUC : public charDialog
{
    Q_OBJECT

public:
    setUC(QWidget *parent, qint8 upCmd);
    ~setUC() override;

    // The typed character as a byte; 0 when the edit is empty.
    qint8 character() const { return editByte(0); }

protected:
    void retranslate() override;

private:
    Ui_setUC *ui;
};
