#pragma once

#include <QDialog>

class Ui_help;

// Read-only view of a plain-text help file, shown up to its "---" line.
class help : public QDialog
{
    Q_OBJECT

public:
    // errorText is shown instead when the file does not exist.
    help(const QString &fileName, const QString &errorText, QWidget *parent = nullptr);
    ~help() override;

protected:
    void changeEvent(QEvent *event) override;

private:
    Ui_help *ui;
};
