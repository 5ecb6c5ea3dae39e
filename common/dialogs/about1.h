#pragma once

#include <QDialog>

class Ui_about1;

// The thermostat program's about box: its own fixed texts and version line.
class about1 : public QDialog
{
    Q_OBJECT

public:
    explicit about1(QWidget *parent = nullptr);
    ~about1() override;

protected:
    void changeEvent(QEvent *event) override;

private:
    Ui_about1 *ui;
};
