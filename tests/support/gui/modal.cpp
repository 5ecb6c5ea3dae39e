#include "modal.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

QList<BoxSeen> closingBoxes(const std::function<void()> &action)
{
    QList<BoxSeen> seen;
    QTimer closer;
    closer.setInterval(5);
    QObject::connect(&closer, &QTimer::timeout, [&seen] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        seen.append({box->windowTitle(), box->text(), int(box->icon())});
        box->done(QMessageBox::Ok);
    });
    closer.start();
    action();
    closer.stop();
    return seen;
}

void answerFileDialog(const QString &path)
{
    auto *poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, path] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        if (path.isEmpty()) {
            dialog->reject();
        } else {
            dialog->selectFile(path);
            static_cast<QDialog *>(dialog)->accept();
        }
        poll->deleteLater();
    });
    poll->start();
}

void answerNextDialog(const std::function<void(QDialog *)> &answer)
{
    auto *poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible() || qobject_cast<QMessageBox *>(dialog))
            return;
        poll->deleteLater();
        answer(dialog);
    });
    poll->start();
}
