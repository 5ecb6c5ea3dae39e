#pragma once

#include <QList>
#include <QString>
#include <functional>

class QDialog;

// What a message box showed.
struct BoxSeen
{
    QString title;
    QString text;
    int icon = 0; // QMessageBox::Icon
};

// Runs action; every modal message box that opens meanwhile is recorded and
// closed with Ok, so a test never waits on one. Returns the boxes in order.
QList<BoxSeen> closingBoxes(const std::function<void()> &action);

// The next file dialog that opens is answered with path (empty: cancelled).
void answerFileDialog(const QString &path);

// The next modal dialog (not a message box) that opens is handed to answer,
// which fills it in and accepts or rejects it.
void answerNextDialog(const std::function<void(QDialog *)> &answer);
