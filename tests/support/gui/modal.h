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

// Longest a modal dialog may stay open, answered or not, before the helpers
// close it and fail the test.
constexpr int modalLimitMs = 5000;

// Keeps a GUI test away from the user's own settings (the file dialog's
// history among them). Call it from the test's init().
void isolateSettings();

// Runs action; every modal message box that opens meanwhile is recorded and
// closed with Ok (Yes where it asks), so a test never waits on one. Returns
// the boxes in order.
// Dialogs queued by the two functions below are answered meanwhile. Any
// dialog still open after limitMs is closed, and the test fails naming it;
// so does a queued answer whose dialog never came.
QList<BoxSeen> closingBoxes(const std::function<void()> &action, int limitMs = modalLimitMs);

// The next file dialog opened under closingBoxes gets path typed into its
// file-name field and accepted (empty path: cancelled).
void answerFileDialog(const QString &path);

// The next modal dialog (not a message box, not a file dialog) opened under
// closingBoxes is handed to answer, which fills it in and accepts or rejects it.
void answerNextDialog(const std::function<void(QDialog *)> &answer);

// The next message box opened under closingBoxes calls look while it is up,
// to see the window behind it.
void lookUnderNextBox(const std::function<void()> &look);
