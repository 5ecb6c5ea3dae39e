#pragma once

#include "portchoice.h"

#include <QDialog>

class Ui_setcom;
class linkSettings;

// The port dialog: lists the ports COM1..COM31 that open at the moment it is
// built; the baud list is shown but cannot be changed.
class setcom : public QDialog
{
    Q_OBJECT

public:
    explicit setcom(QWidget *parent = nullptr);
    // Preselects port and baud where the lists hold them (the thermostat program's form).
    setcom(const QString &port, int baud, QWidget *parent);
    ~setcom() override;

    // Preselects the record's port and baud where the lists hold them.
    void setSettings(const linkSettings &settings);
    portChoice settings() const;

protected:
    void changeEvent(QEvent *event) override;

private:
    void listFreePorts();
    void preselect(const QString &port, int baud);

    Ui_setcom *ui;
};
