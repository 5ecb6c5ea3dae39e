#pragma once

#include <QDialog>
#include <QList>

class QDialogButtonBox;
class QLineEdit;

// The family of small dialogs that each ask for one-character settings: Ok is
// offered only while every edit holds text.
class charDialog : public QDialog
{
    Q_OBJECT

protected:
    explicit charDialog(QWidget *parent);

    // From now on Ok follows the edits. Called after the edits hold their
    // start values, so the dialog opens with Ok enabled whatever they hold.
    void followEdits(const QList<QLineEdit *> &edits, QDialogButtonBox *buttons);
    // The byte edit number index gives its setting; 0 when it is empty.
    qint8 editByte(int index) const;

    void changeEvent(QEvent *event) override;
    // Puts the form's own texts back (and so empties the edits).
    virtual void retranslate() = 0;

protected slots:
    void handleChange();

private:
    QList<QLineEdit *> edits;
    QDialogButtonBox *buttons = nullptr;
};
