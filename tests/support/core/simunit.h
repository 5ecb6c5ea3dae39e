#pragma once

#include <QByteArray>
#include <QMutex>
#include <QString>
#include <QWaitCondition>
#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <memory>

class QTemporaryDir;
class QThread;

// A simulated model-2 unit at the far end of a pseudo-terminal. It records
// every byte it receives and answers from its own thread:
//   "!WR\r\n": the handshake, then it reads the record's lines and sends its
//              final two bytes; a record that stalls for 3 s is dropped;
//   "!Rd\r\n": the read-out reply;  "!??\r\n": the status reply.
// An empty handshake or answer means the unit stays silent at that point.
// The handshake, the final two bytes and the replies are each one reply.
class simUnit
{
public:
    simUnit();  // opens the pseudo-terminal and starts answering
    ~simUnit(); // stops answering, removes its port map

    simUnit(const simUnit &) = delete;
    simUnit &operator=(const simUnit &) = delete;

    // True when the pseudo-terminal is open and the unit answers.
    bool isRunning() const;
    // The device the programs open (the follower end).
    QString devicePath() const;

    // Points XDG_CONFIG_HOME at a fresh folder whose port map links portName
    // to this unit; the old value comes back with the destructor.
    bool mapAs(const QString &portName);

    void setHandshake(const QByteArray &bytes);    // default "Rec\r\n"
    void setFinalAnswer(const QByteArray &bytes);  // default "OK"
    void setRecordLines(int lines);                // default 44
    void setReadoutReply(const QByteArray &bytes); // default none
    void setStatusReply(const QByteArray &bytes);  // default none
    void setSilent(bool silent);                   // answers nothing at all
    // After a complete load the read-out reply becomes the loaded lines
    // (without an empty last line), given back as a unit does: every line
    // but the first without a leading '+'.
    void setRememberLoads(bool remember);
    // Moves every byte, both ways, at the pace of a 1200 baud line.
    void setPaced(bool paced);
    // Pauses ms once in every reply, before the first text in it.
    void setPauseBefore(const QByteArray &text, int ms);
    // Waits ms between the last byte of a record or of a read-out or status
    // command off the line and the unit's answer to it.
    void setAnswerDelay(int ms);
    // Goes away after sending the given number of bytes (0: none) since the last
    // command (a load's handshake and final two bytes count together): once
    // the program has read them the unit closes its end, as a pulled adapter
    // would. Negative: never.
    void setVanishAfter(int bytes);
    // True once the unit went away.
    bool hasVanished() const;
    // Puts bytes into the port as if left over from before the program
    // opened it; true once they wait there, within timeoutMs.
    bool putStale(const QByteArray &bytes, int timeoutMs);

    QByteArray received() const;
    void clearReceived();
    // Bytes the unit has put on the line since it started.
    int sentCount() const;
    // Bytes the unit sent that the program has not read yet.
    int waitingForProgram() const;
    // Waits until at least count bytes have come in, at most timeoutMs.
    bool waitForReceived(int count, int timeoutMs) const;
    // Waits until the unit reads bytes as commands again, not as a record's
    // lines, at most timeoutMs.
    bool waitForCommandPhase(int timeoutMs) const;
    // Number of loads whose record came in complete.
    int loadsCompleted() const;
    // How much later than due the first byte of the last answer went on the
    // line: a busy machine wakes the unit late.
    std::chrono::microseconds answerLateness() const;

private:
    enum class state { command, record };
    // A byte from the program and when the unit read it.
    struct arrival {
        char byte;
        std::chrono::steady_clock::time_point at;
    };

    bool waitUntil(const std::function<bool()> &done, int timeoutMs) const;
    void serve();
    void readArrivals();
    QByteArray take(char byte);
    QByteArray finishLoad();
    void dropStalledRecord();
    void backToCommands();
    void send(const QByteArray &bytes);
    void pauseUntil(std::chrono::steady_clock::time_point end);
    void vanish();
    bool isPaced() const;
    std::chrono::steady_clock::time_point throughAt(std::chrono::steady_clock::time_point ready) const;
    // Waits until a byte ready at `ready` is through the line; gives back when that is due.
    std::chrono::steady_clock::time_point paceOneByte(std::chrono::steady_clock::time_point ready);

    int leader = -1;
    int follower = -1;
    QString followerPath;
    QThread *thread = nullptr;
    std::atomic<bool> stopping{false};
    std::unique_ptr<QTemporaryDir> portMap;
    QByteArray savedConfigHome;
    bool hadConfigHome = false;

    // Owned by the answering thread.
    std::deque<arrival> inbox; // read from the line, not yet answered
    QByteArray lastFive;
    int linesSeen = 0;
    int sentSinceCommand = 0;
    qsizetype recordStart = 0;
    std::chrono::steady_clock::time_point lineFree; // end of the byte on the line
    std::chrono::steady_clock::time_point lastByte; // last byte in, once answered

    mutable QMutex mutex;
    mutable QWaitCondition arrived; // a byte came in or the phase changed
    state phase = state::command;
    QByteArray bytesIn;
    QByteArray handshake = "Rec\r\n";
    QByteArray finalAnswer = "OK";
    int recordLines = 44;
    QByteArray readoutReply;
    QByteArray statusReply;
    bool silent = false;
    bool rememberLoads = false;
    bool paced = false;
    QByteArray pauseBefore;
    int pauseMs = 0;
    int answerDelayMs = 0;
    int delayBeforeReply = 0; // the answer delay, owed by the reply about to go
    int bytesSent = 0;
    std::chrono::steady_clock::duration answerLate{};
    int vanishAfter = -1;
    std::atomic<bool> vanished{false};
    int loads = 0;
};
