#pragma once

#include <QDialog>

class Ui_setFix;

// Asks for the fixed check character; the edit starts empty.
class setFix : public QDialog
{
    Q_OBJECT

public:
    explicit setFix(QWidget *parent = nullptr);
    ~setFix() override;

    // The typed character as a byte; 0 when the edit is empty.
    qint8 character() const;

protected:
    void changeEvent(QEvent *event) override;

protected slots:
    void handleChange(const QString &text);

private:
    Ui_setFix *ui;
};
