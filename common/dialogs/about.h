#pragma once

#include <QDialog>

class Ui_about;

// The about box: the form's version line under two texts from the defaults file.
class about : public QDialog
{
    Q_OBJECT

public:
    about(const QString &linkText, const QString &aboutText, QWidget *parent = nullptr);
    ~about() override;

protected:
    void changeEvent(QEvent *event) override;

private:
    Ui_about *ui;
};
