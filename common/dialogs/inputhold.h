#pragma once

#include <QObject>
#include <QPointer>
#include <memory>
#include <utility>
#include <vector>

class QEvent;
class QWidget;

// While it lives, the window takes no user input: keys, clicks, wheel,
// shortcuts and close requests made to it are held back, not dropped, and
// reach it in order once the hold is over and control is back in the event
// loop. Other windows, such as a progress dialog over it, take their input.
class inputHold : public QObject
{
    Q_OBJECT

public:
    explicit inputHold(QWidget *window);
    ~inputHold() override;

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override;

private:
    // Shared, so that the queued call that hands them over can be copied.
    using heldEvent = std::pair<QPointer<QObject>, std::shared_ptr<QEvent>>;

    static bool isUserInput(const QEvent *event);
    bool inWindow(const QObject *receiver) const;

    QWidget *const window;
    std::vector<heldEvent> held;
};
