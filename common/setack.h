#pragma once

#include <QDialog>

class Ui_setAck;

// Asks for the ACK character, starting from the current one.
class setAck : public QDialog
{
    Q_OBJECT

public:
    setAck(QWidget *parent, qint8 ack);
    ~setAck() override;

    // The typed character as a byte; 0 when the edit is empty.
    qint8 character() const;

protected:
    void changeEvent(QEvent *event) override;

protected slots:
    void handleChange(const QString &text);

private:
    Ui_setAck *ui;
};
