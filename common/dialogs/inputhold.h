#pragma once

#include "inputreplay.h"

#include <QObject>
#include <vector>

class QEvent;
class QMouseEvent;
class QWidget;

// While it lives, the window takes no user input: keys, clicks, wheel and
// close requests made to it are held back, not dropped, and are made again
// in order once the hold is over (see inputReplay), so they act as
// type-ahead. A click on a widget that is disabled at the time is dropped,
// as that widget would drop it. Other windows, such as a progress dialog
// over it, take their input.
class inputHold : public QObject
{
    Q_OBJECT

public:
    explicit inputHold(QWidget *window);
    ~inputHold() override;

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override;

private:
    bool holds(QEvent *event);
    bool dropsClick(const QMouseEvent &event);

    QWidget *const window;
    std::vector<inputReplay::input> held;
    Qt::MouseButtons dropped; // pressed on a disabled widget: their releases go too
};
