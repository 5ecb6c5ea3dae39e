#include "modal.h"

#include <QApplication>
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
