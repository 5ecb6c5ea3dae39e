#pragma once

#include <QObject>

class QLineEdit;

// Tells when the user finishes editing one of the watched line edits: on
// Return, and on every loss of focus whether or not the text changed (line
// edits of today report a focus loss only after a change). As with the
// toolkit's own line edits, a popup of the line edit itself, such as its
// context menu, does not end the editing; a menu of the menu bar does.
class editingEnd : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    void watch(QLineEdit *edit);

signals:
    void finished();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
