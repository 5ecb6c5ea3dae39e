#pragma once

#include "transfertexts.h"

#include <QDialog>
#include <memory>

class QDialogButtonBox;
class QLabel;
class QProgressBar;
class transferThread;

// What the load, read-out and verify dialogs share: a worker on its own copy of
// the link settings, its progress on the form's bar, its outcome in the
// message label with a single Ok, and on success the dialog closes itself
// after 2 s. Cancel, Escape and the destructor stop the worker; the dialog
// does not wait for that, only its destructor does.
class transferDialog : public QDialog
{
    Q_OBJECT

public:
    ~transferDialog() override;

public slots:
    void reject() override;

protected:
    transferDialog(const transferTexts &texts, QWidget *parent);

    // Shows the worker's progress on bar and starts it; the dialog owns it.
    // Connect its finished() to the completion slot before.
    void start(transferThread *worker, QProgressBar *bar);
    // True once the dialog has asked its worker to stop: its outcome is void.
    bool stopping() const;
    // The outcome in msg (a failure followed by its reason, if any), and Ok
    // in place of Cancel, ready for Return or Space.
    void showOutcome(bool success, QLabel *msg, QDialogButtonBox *buttons,
                     const QString &reason = QString());

    void closeEvent(QCloseEvent *event) override;

private:
    const transferTexts texts;
    std::unique_ptr<transferThread> worker;
};
