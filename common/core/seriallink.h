#pragma once

#include <QSerialPort>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>

class QDeadlineTimer;

// The COM-port sequence every exchange with the unit uses: open the named
// port, set the fixed line mode and the per-byte read wait, move single
// bytes, close. Writes the diagnostic lines of a failed set-up itself.
class serialLink
{
public:
    serialLink();
    ~serialLink(); // closes the port if it is still open

    serialLink(const serialLink &) = delete;
    serialLink &operator=(const serialLink &) = delete;

    // Folder whose links map port names to devices ("COM3" -> /dev/ttyUSB0).
    static QString portMapFolder();
    // Device path that a port name ("COM3") stands for on this platform;
    // empty when the name stands for none.
    static QString devicePath(const QString &portName);

    // Open, configure from the mode string and set the read wait
    // (multiplier + constant ms per byte). False on any failure, after the
    // diagnostic line; the port is then closed.
    bool setUp(const QString &portName, int readMultiplier, int readConstant);

    // Open alone, silently (the port dialog's probe); false if the port
    // cannot be held.
    bool open(const QString &portName);
    void close();
    bool isOpen() const;

    // One byte out; returns once the byte is on the line, the one before it
    // having left at the line's pace, so that the next byte is handed over
    // in time to follow it without a gap. False when it failed or was
    // interrupted; a byte that has not left within 2 s of being handed over
    // is a lost line.
    bool writeByte(char byte);
    // The five command bytes '!', a, b, CR, LF, one write each. After an
    // exchange on this port that ended before the unit's reply did, the rest
    // of that reply is dropped first, until the line has been quiet for as
    // long as a reply's end takes; a line that stays busy for longer than
    // the longest reply is lost. Closing the port before replyComplete()
    // leaves the reply unfinished for the next exchange.
    bool writeCommand(char a, char b);
    // The exchange has the unit's whole reply: the next one on this port
    // sends its command at once.
    void replyComplete();
    // Waits for one byte at most the read wait, counted from the end of the
    // last byte written on the line; false when none came:
    // silence, a lost line or an interrupt, which the two below tell apart.
    bool readByte(char &byte);

    // True once the port failed under a transfer (the device went away);
    // the port is closed then and the line's diagnostic is written.
    bool lineLost() const { return lost; }
    // True when the interrupt check ended the last wait.
    bool wasInterrupted() const { return interruptSeen; }

    // Asked while a read or write waits; when it answers true the transfer
    // gives up at once (workers stop cooperatively this way).
    void setInterruptCheck(std::function<bool()> interrupted);

    // Most bytes an exchange takes as one reply.
    static constexpr int longestReplyBytes = 4096;

    // Whether a port error means the line is gone (device unplugged, hung
    // up, failed) rather than a wait that ended without a byte.
    static bool isLineLoss(QSerialPort::SerialPortError error);

private:
    using lineClock = std::chrono::steady_clock;
    // How a sliced wait ended; stopped: interrupted, or the line was lost.
    enum class waitEnd { met, timedOut, stopped };

    bool configure();
    bool awaitQuietLine();
    waitEnd waitSliced(const QDeadlineTimer &deadline, int longestSliceMs,
                       const std::function<bool(int)> &wait);
    bool leftWithin(const QDeadlineTimer &limit);
    bool driverSent(int ms);
    qint64 unsentInDriver() const;
    void keepLinePace(lineClock::time_point handed);
    bool endedByError();
    void lose(const QString &reason);

    std::unique_ptr<QSerialPort> port;
    QString device; // the path opened, for the diagnostics
    QString line;   // the device as one line to a unit
    int readWaitMs = 0;
    lineClock::duration byteTime{}; // one byte with its start and stop bits
    lineClock::time_point lineFree; // when the last byte written is off the line
    std::function<bool()> interrupted;
    bool lost = false;
    bool interruptSeen = false;
    bool replyOutstanding = false; // a command went out and its reply is not all in
};
