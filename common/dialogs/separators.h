#pragma once

#include "chardialog.h"

class Ui_separators;

// Asks for the download and upload separators, starting from the current ones.
class separators : public charDialog
{
    Q_OBJECT

public:
    separators(QWidget *parent, qint8 dlSep, qint8 upSep);
    ~separators() override;

    // The typed separators as bytes; 0 for an empty edit.
    qint8 downloadSeparator() const;
    qint8 uploadSeparator() const;

protected:
    void retranslate() override;

private:
    Ui_separators *ui;
};
