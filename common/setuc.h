#pragma once

#include <QDialog>

class Ui_setUC;

// Asks for the upload command character, starting from the current one.
class setUC : public QDialog
{
    Q_OBJECT

public:
    setUC(QWidget *parent, qint8 upCmd);
    ~setUC() override;

    // The typed character as a byte; 0 when the edit is empty.
    qint8 character() const;

protected:
    void changeEvent(QEvent *event) override;

protected slots:
    void handleChange(const QString &text);

private:
    Ui_setUC *ui;
};
