#pragma once

#include <QList>
#include <QString>
#include <functional>

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
