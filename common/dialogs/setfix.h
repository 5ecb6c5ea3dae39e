#pragma once

#include "chardialog.h"

class Ui_setFix;

// Asks for the fixed check character; the edit starts empty.
class setFix : public charDialog
{
    Q_OBJECT

public:
    explicit setFix(QWidget *parent = nullptr);
    ~setFix() override;

    // The typed character as a byte; 0 when the edit is empty.
    qint8 character() const { return editByte(0); }

protected:
    void retranslate() override;

private:
    Ui_setFix *ui;
};
