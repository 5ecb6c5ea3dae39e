#include "modal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

namespace {

// Answers queued for the dialogs the next closingBoxes will meet.
QStringList fileAnswers;
QList<std::function<void(QDialog *)>> dialogAnswers;
QList<std::function<void()>> boxLooks;

// A refused file name is typed again after this long.
constexpr int retryMs = 100;

// Runs step once the watcher's timer slot has returned: an answer may open a
// modal box of its own, which the timer must still be free to close.
void later(QWidget *context, const std::function<void()> &step)
{
    QTimer::singleShot(0, context, step);
}

QString describe(const QWidget *widget)
{
    return QStringLiteral("%1 \"%2\"").arg(QLatin1String(widget->metaObject()->className()),
                                           widget->windowTitle());
}

// Closes a dialog the test left open, the way its user would give up on it.
void giveUp(QWidget *widget)
{
    if (auto *progress = qobject_cast<QProgressDialog *>(widget))
        progress->cancel();
    else if (auto *dialog = qobject_cast<QDialog *>(widget))
        dialog->reject();
    else
        widget->close();
}

// Types the path into the dialog's file-name field and accepts, as a user
// opens a file the filter hides; the dialog may refuse while it still reads
// its folder, so this is repeated until it closes.
void typePath(QFileDialog *dialog, const QString &path)
{
    if (path.isEmpty()) {
        dialog->reject();
        return;
    }
    if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
        name->setText(path);
    else
        dialog->selectFile(path);
    static_cast<QDialog *>(dialog)->accept(); // protected in QFileDialog, public in QDialog
}

// One modal dialog met while an action runs: when it came and how it is answered.
struct dialogWatch
{
    QPointer<QWidget> widget;
    qint64 cameAtMs = 0;
    bool answersWithPath = false;
    QString path;
    qint64 triedAtMs = -retryMs;
    bool givenUp = false;
};

class modalWatcher
{
public:
    QList<BoxSeen> seen;
    QStringList problems;

    explicit modalWatcher(int limitMs) : limitMs(limitMs) { clock.start(); }

    void look()
    {
        QWidget *top = QApplication::activeModalWidget();
        if (!top || !top->isVisible())
            return;
        if (auto *box = qobject_cast<QMessageBox *>(top)) {
            if (!boxLooks.isEmpty())
                boxLooks.takeFirst()();
            seen.append({box->windowTitle(), box->text(), int(box->icon())});
            // A question, such as the file dialog's before it replaces a
            // file, gets the answer of a user who meant what they chose.
            if (QAbstractButton *yes = box->button(QMessageBox::Yes))
                yes->click();
            else
                box->done(QMessageBox::Ok);
            // A desktop gives the focus back to the window under the box.
            if (QWidget *under = box->parentWidget())
                under->window()->activateWindow();
            return;
        }
        dialogWatch &watch = watchFor(top);
        const qint64 now = clock.elapsed();
        if (now - watch.cameAtMs > limitMs) {
            if (!watch.givenUp)
                problems += describe(top) + (watch.answersWithPath
                                                 ? QStringLiteral(" did not take \"%1\"").arg(watch.path)
                                                 : QStringLiteral(" never closed"))
                            + QStringLiteral(" within %1 ms").arg(limitMs);
            watch.givenUp = true;
            later(top, [top] { giveUp(top); });
        } else if (watch.answersWithPath && now - watch.triedAtMs >= retryMs) {
            watch.triedAtMs = now;
            auto *dialog = static_cast<QFileDialog *>(top);
            later(top, [dialog, path = watch.path] { typePath(dialog, path); });
        }
    }

    // Everything queued and never used means a dialog that never came.
    void reportUnused()
    {
        for (const QString &path : std::as_const(fileAnswers))
            problems += QStringLiteral("no file dialog came to be answered with \"%1\"").arg(path);
        if (!dialogAnswers.isEmpty())
            problems += QStringLiteral("%1 expected dialog(s) never came").arg(dialogAnswers.size());
        if (!boxLooks.isEmpty())
            problems += QStringLiteral("%1 expected message box(es) never came").arg(boxLooks.size());
        fileAnswers.clear();
        dialogAnswers.clear();
        boxLooks.clear();
    }

private:
    dialogWatch &watchFor(QWidget *top)
    {
        for (dialogWatch &watch : dialogs) {
            if (watch.widget == top)
                return watch;
        }
        dialogWatch watch;
        watch.widget = top;
        watch.cameAtMs = clock.elapsed();
        auto *fileDialog = qobject_cast<QFileDialog *>(top);
        if (fileDialog && !fileAnswers.isEmpty()) {
            watch.answersWithPath = true;
            watch.path = fileAnswers.takeFirst();
        }
        dialogs.append(watch);
        auto *dialog = qobject_cast<QDialog *>(top);
        if (!fileDialog && dialog && !dialogAnswers.isEmpty())
            later(dialog, [dialog, answer = dialogAnswers.takeFirst()] { answer(dialog); });
        return dialogs.last();
    }

    const int limitMs;
    QElapsedTimer clock;
    QList<dialogWatch> dialogs;
};

} // namespace

void isolateSettings()
{
    QStandardPaths::setTestModeEnabled(true);
}

QList<BoxSeen> closingBoxes(const std::function<void()> &action, int limitMs)
{
    modalWatcher watcher(limitMs);
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&watcher] { watcher.look(); });
    poll.start();
    action();
    poll.stop();
    watcher.reportUnused();
    for (const QString &problem : std::as_const(watcher.problems))
        QTest::qFail(qPrintable(problem), __FILE__, __LINE__);
    return watcher.seen;
}

void answerFileDialog(const QString &path)
{
    fileAnswers.append(path);
}

void answerNextDialog(const std::function<void(QDialog *)> &answer)
{
    dialogAnswers.append(answer);
}

void lookUnderNextBox(const std::function<void()> &look)
{
    boxLooks.append(look);
}
