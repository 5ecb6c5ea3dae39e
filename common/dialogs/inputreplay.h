#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QWindow>
#include <memory>
#include <vector>

class QEvent;

// Makes held input again through the window system, one event at a time,
// each once the one before has taken effect: keys go to whatever has the
// keyboard focus at their turn (a file dialog that a held Ctrl+O opened),
// shortcuts are looked up then, and input to a window that a modal dialog
// blocks by then is dropped, as for input made at that moment.
class inputReplay : public QObject
{
    Q_OBJECT

public:
    struct input
    {
        QPointer<QWindow> window; // where it was made
        std::unique_ptr<QEvent> event;
    };

    // Starts from the event loop; the replay deletes itself when done.
    static void start(std::vector<input> events);

private:
    explicit inputReplay(std::vector<input> events);

    void next();
    bool settled() const;
    static void make(const input &held);

    std::vector<input> events;
    size_t done = 0;
    QElapsedTimer sinceMade;
};
