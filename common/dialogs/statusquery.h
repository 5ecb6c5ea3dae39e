#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

class QProgressBar;
class QPushButton;

// The status query both programs run from their status panels: the button
// greyed, the signal bar counting the reply's bytes while the exchange runs
// in a worker thread (the window repaints but takes no input), the button
// restored and one failure box. The keyboard focus ends where it was. Each
// window fills its own panel.
class statusQuery
{
public:
    // Gets the collected reply, fills the panel and answers whether the
    // reply was complete; false fails the query.
    using panelFill = std::function<bool(const QString &reply)>;

    statusQuery(QWidget *window, QPushButton *button, QProgressBar *bar);

    // waitMs: each byte's read wait; timeLimitMs: the whole exchange's.
    void run(const QString &portName, int waitMs, int timeLimitMs, const panelFill &fill);

private:
    void greyButton();
    void restoreButton();
    void fail();

    QWidget *window;
    QPushButton *button;
    QProgressBar *bar;
    QPointer<QWidget> focused; // when the query started
};
