#include "seriallink.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QRegularExpression>
#include <QSerialPort>
#include <QStringList>
#include <algorithm>
#include <optional>
#include <thread>
#include <utility>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/ioctl.h>
#include <sys/stat.h>
#endif

namespace {

const QString lineModeText = QStringLiteral("baud=1200 data=8 parity=N stop=1");

// A wait is cut into slices this long, so that an interrupt is seen soon.
constexpr int sliceMs = 20;
// A byte that has not left the port this long after it was handed over
// never will: the output stalled and the line is lost.
constexpr int writeLimitMs = 2000;
// The driver's count of unsent bytes is looked at this often; a byte takes
// about 8 ms at 1200 baud.
constexpr int drainPollMs = 1;
// After an exchange that ended before the unit's reply did, the next
// command waits until the line has been quiet for as long as the silence
// that ends a read-out or status reply, counted from that exchange's end or
// from the last byte of the rest that any exchange dropped, so that no pause
// the unit makes inside the rest passes for its end...
constexpr std::chrono::milliseconds replyEndSilence(1500);
// ...and, however long ago that was, until the line has been seen quiet for
// 12 byte times: a unit still sending shows within that, even behind a USB
// adapter that passes its bytes on every 16 ms.
constexpr std::chrono::milliseconds seenQuiet(100);

using lineClock = std::chrono::steady_clock;

// When the last exchange on a line ended before the unit's reply did: the
// unit may still be sending the rest of it, port closed or not.
QMutex unfinishedLock;
QHash<QString, lineClock::time_point> unfinishedReplies; // guarded by unfinishedLock

std::optional<lineClock::time_point> unfinishedSince(const QString &line)
{
    const QMutexLocker lock(&unfinishedLock);
    const auto found = unfinishedReplies.constFind(line);
    return found == unfinishedReplies.cend() ? std::nullopt : std::optional(*found);
}

void noteUnfinished(const QString &line, std::optional<lineClock::time_point> ended)
{
    const QMutexLocker lock(&unfinishedLock);
    if (ended)
        unfinishedReplies.insert(line, *ended);
    else
        unfinishedReplies.remove(line);
}

// The line an open device stands for. A device made anew under the same
// name (an adapter plugged in again, another pseudo-terminal) is another line.
QString lineOf(const QString &device)
{
#ifdef Q_OS_WIN
    return device;
#else
    struct stat node{};
    if (::stat(QFile::encodeName(device).constData(), &node) != 0)
        return device;
    return device + QStringLiteral("@%1.%2").arg(node.st_ctim.tv_sec).arg(node.st_ctim.tv_nsec);
#endif
}

struct lineMode
{
    qint32 baud = 0;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;

    // One byte on the line: start bit, data bits, parity bit, stop bits.
    std::chrono::nanoseconds byteTime() const
    {
        const double stop = stopBits == QSerialPort::OneAndHalfStop ? 1.5 : double(stopBits);
        const double bits = 1 + dataBits + (parity == QSerialPort::NoParity ? 0 : 1) + stop;
        return std::chrono::nanoseconds(qint64(bits * 1e9 / baud));
    }
};

// Reads a mode string such as "baud=1200 data=8 parity=N stop=1".
std::optional<lineMode> parseLineMode(const QString &text)
{
    lineMode mode;
    const QStringList items = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &item : items) {
        const QString key = item.section(QLatin1Char('='), 0, 0).toLower();
        const QString value = item.section(QLatin1Char('='), 1).toUpper();
        bool isNumber = false;
        const int number = value.toInt(&isNumber);
        if (key == QLatin1String("baud") && isNumber && number > 0)
            mode.baud = number;
        else if (key == QLatin1String("data") && isNumber && number >= 5 && number <= 8)
            mode.dataBits = static_cast<QSerialPort::DataBits>(number);
        else if (key == QLatin1String("parity") && value == QLatin1String("N"))
            mode.parity = QSerialPort::NoParity;
        else if (key == QLatin1String("parity") && value == QLatin1String("E"))
            mode.parity = QSerialPort::EvenParity;
        else if (key == QLatin1String("parity") && value == QLatin1String("O"))
            mode.parity = QSerialPort::OddParity;
        else if (key == QLatin1String("parity") && value == QLatin1String("M"))
            mode.parity = QSerialPort::MarkParity;
        else if (key == QLatin1String("parity") && value == QLatin1String("S"))
            mode.parity = QSerialPort::SpaceParity;
        else if (key == QLatin1String("stop") && value == QLatin1String("1"))
            mode.stopBits = QSerialPort::OneStop;
        else if (key == QLatin1String("stop") && value == QLatin1String("1.5"))
            mode.stopBits = QSerialPort::OneAndHalfStop;
        else if (key == QLatin1String("stop") && value == QLatin1String("2"))
            mode.stopBits = QSerialPort::TwoStop;
        else
            return std::nullopt;
    }
    if (mode.baud == 0)
        return std::nullopt;
    return mode;
}

// The system's reason for a failed open, for the line after the diagnostic.
QString openFailureReason(const QString &path, const QSerialPort &port)
{
    if (path.isEmpty())
        return QStringLiteral("no device is known for this port name");
    const QFileInfo device(path);
    if (!device.exists())
        return path + QStringLiteral(": no such device");
    if (port.error() == QSerialPort::PermissionError) {
        if (!device.isReadable() || !device.isWritable())
            return path + QStringLiteral(": permission denied (the user must be in the dialout group)");
        return path + QStringLiteral(": busy, held by another program");
    }
    return path + QStringLiteral(": ") + port.errorString();
}

// Why the line was lost. A hung-up device reads as end of file, so the
// system's error text would be a stale one.
QString lostReason(QSerialPort::SerialPortError error, const QSerialPort &port)
{
    switch (error) {
    case QSerialPort::ReadError:
        return QStringLiteral("read failed (device unplugged or hung up)");
    case QSerialPort::WriteError:
        return QStringLiteral("write failed (device unplugged or hung up)");
    case QSerialPort::ResourceError:
        return QStringLiteral("device went away");
    default:
        return port.errorString();
    }
}

} // namespace

serialLink::serialLink() = default;

serialLink::~serialLink()
{
    close();
}

QString serialLink::portMapFolder()
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/varlok/ports");
}

QString serialLink::devicePath(const QString &portName)
{
#ifdef Q_OS_WIN
    return portName;
#else
    QString path;
    const QFileInfo mapped(portMapFolder() + QLatin1Char('/') + portName);
    if (!portName.isEmpty() && mapped.isSymLink()) {
        path = mapped.symLinkTarget();
    } else {
        static const QRegularExpression comName(QStringLiteral("^COM([1-9][0-9]*)$"));
        const QRegularExpressionMatch match = comName.match(portName);
        if (!match.hasMatch())
            return QString();
        path = QStringLiteral("/dev/ttyS") + QString::number(match.captured(1).toInt() - 1);
    }
    // The port's lock file is named after the path, so a link and its
    // target must not lock apart: always use the canonical path.
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
#endif
}

bool serialLink::open(const QString &portName)
{
    close();
    lost = false;
    interruptSeen = false;
    const QString path = devicePath(portName);
    device = path;
    port = std::make_unique<QSerialPort>();
    port->setPortName(path);
    if (path.isEmpty() || !port->open(QIODevice::ReadWrite))
        return false;
    port->clear(); // bytes left over from before the open are not the unit's answer
    line = lineOf(path);
    return true;
}

bool serialLink::setUp(const QString &portName, int readMultiplier, int readConstant)
{
    if (!open(portName)) {
        qDebug().noquote() << "unable to open comport";
        qDebug().noquote() << openFailureReason(devicePath(portName), *port);
        close();
        return false;
    }
    if (!configure())
        return false;
    if (readMultiplier < 0 || readConstant < 0) {
        qDebug().noquote() << "unable to set comport time-out settings";
        close();
        return false;
    }
    readWaitMs = readMultiplier + readConstant;
    return true;
}

bool serialLink::configure()
{
    const std::optional<lineMode> mode = parseLineMode(lineModeText);
    if (!mode) {
        qDebug().noquote() << "unable to set comport dcb settings";
        close();
        return false;
    }
    // DTR and RTS stay as they are: a pseudo-terminal refuses them.
    if (!port->setBaudRate(mode->baud) || !port->setDataBits(mode->dataBits)
        || !port->setParity(mode->parity) || !port->setStopBits(mode->stopBits)
        || !port->setFlowControl(QSerialPort::NoFlowControl)) {
        qDebug().noquote() << "unable to set comport cfg settings";
        close();
        return false;
    }
    byteTime = mode->byteTime();
    lineFree = lineClock::time_point();
    return true;
}

void serialLink::close()
{
    if (!isOpen())
        return;
    if (std::exchange(replyOutstanding, false))
        noteUnfinished(line, lineClock::now());
    // What a cancelled or lost exchange has not sent is not to reach the
    // unit, and a port closed with unsent bytes waits for them.
    port->clear(QSerialPort::Output);
    port->close();
}

bool serialLink::isOpen() const
{
    return port && port->isOpen();
}

bool serialLink::writeByte(char byte)
{
    if (!isOpen())
        return false;
    if (interrupted && interrupted()) {
        interruptSeen = true;
        return false;
    }
    const lineClock::time_point handed = lineClock::now();
    const QDeadlineTimer limit(writeLimitMs);
    if (port->write(&byte, 1) != 1) {
        endedByError();
        return false;
    }
    if (!leftWithin(limit))
        return false;
    keepLinePace(handed);
    return true;
}

// Waits until Qt has handed the byte to the driver and the driver has sent
// it; on a real port this keeps the line's own pace.
bool serialLink::leftWithin(const QDeadlineTimer &limit)
{
    waitEnd end = waitSliced(limit, sliceMs, [this](int ms) {
        port->waitForBytesWritten(ms);
        return port->bytesToWrite() == 0;
    });
    if (end == waitEnd::met)
        end = waitSliced(limit, drainPollMs, [this](int ms) { return driverSent(ms); });
    if (end == waitEnd::timedOut)
        lose(QStringLiteral("byte not sent within %1 ms (output stalled)").arg(writeLimitMs));
    return end == waitEnd::met;
}

// True when the driver holds no unsent byte; otherwise false after ms.
// A count that cannot be read is a lost line.
bool serialLink::driverSent(int ms)
{
    const qint64 unsent = unsentInDriver();
    if (unsent < 0)
        lose(lostReason(QSerialPort::WriteError, *port));
    else if (unsent > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return unsent == 0;
}

// -1 when the driver does not tell.
qint64 serialLink::unsentInDriver() const
{
#ifdef Q_OS_WIN
    DWORD errors = 0;
    COMSTAT state{};
    if (!ClearCommError(port->handle(), &errors, &state))
        return -1;
    return state.cbOutQue;
#else
    int unsent = 0;
    if (::ioctl(port->handle(), TIOCOUTQ, &unsent) != 0)
        return -1;
    return unsent;
#endif
}

// A pseudo-terminal, and some USB adapters, report a byte as sent as soon as
// they take it; it cannot start before the byte ahead of it has left. Like a
// UART's holding register, the next byte is taken while this one is on the
// line: returning only once it had left would add each late wake-up to the load.
void serialLink::keepLinePace(lineClock::time_point handed)
{
    const lineClock::time_point onLine = std::max(lineFree, handed);
    lineFree = onLine + byteTime;
    std::this_thread::sleep_until(onLine);
}

bool serialLink::writeCommand(char a, char b)
{
    if (!awaitQuietLine())
        return false;
    replyOutstanding = true;
    for (const char byte : {'!', a, b, '\r', '\n'}) {
        if (!writeByte(byte))
            return false;
    }
    return true;
}

void serialLink::replyComplete()
{
    replyOutstanding = false;
    noteUnfinished(line, std::nullopt);
}

// Drops the rest of an old reply until the line has been quiet long enough.
// Only after an exchange on this line that ended before its reply did; the
// first exchange and one after a whole reply go ahead at once.
bool serialLink::awaitQuietLine()
{
    if (!isOpen())
        return false;
    const std::optional<lineClock::time_point> ended = unfinishedSince(line);
    if (!ended)
        return true;
    using std::chrono::milliseconds;
    const milliseconds limitMs = std::chrono::duration_cast<milliseconds>(byteTime * longestReplyBytes)
                                 + replyEndSilence;
    const QDeadlineTimer limit(limitMs);
    lineClock::time_point quietUntil = std::max(lineClock::now() + seenQuiet, *ended + replyEndSilence);
    const auto arrived = [this](int ms) { return port->bytesAvailable() > 0 || port->waitForReadyRead(ms); };
    for (;;) {
        const waitEnd end = waitSliced(QDeadlineTimer(quietUntil), sliceMs, arrived);
        if (end != waitEnd::met)
            return end == waitEnd::timedOut;
        port->readAll();
        // Should this exchange be cancelled in its wait, the next one counts from here too.
        const lineClock::time_point dropped = lineClock::now();
        noteUnfinished(line, dropped);
        quietUntil = dropped + replyEndSilence;
        if (limit.hasExpired()) {
            lose(QStringLiteral("the line did not fall quiet within %1 ms").arg(limitMs.count()));
            return false;
        }
    }
}

bool serialLink::readByte(char &byte)
{
    if (!isOpen())
        return false;
    const auto arrived = [this](int ms) { return port->waitForReadyRead(ms); };
    // The unit cannot answer a byte still on the line.
    const lineClock::time_point lastByteOff = std::max(lineClock::now(), lineFree);
    const QDeadlineTimer deadline(lastByteOff + std::chrono::milliseconds(readWaitMs));
    if (port->bytesAvailable() == 0 && waitSliced(deadline, sliceMs, arrived) != waitEnd::met)
        return false;
    return port->getChar(&byte);
}

void serialLink::setInterruptCheck(std::function<bool()> check)
{
    interrupted = std::move(check);
}

// Runs a wait until the deadline in slices of at most longestSliceMs,
// asking the interrupt check before each.
serialLink::waitEnd serialLink::waitSliced(const QDeadlineTimer &deadline, int longestSliceMs,
                                           const std::function<bool(int)> &wait)
{
    do {
        if (interrupted && interrupted()) {
            interruptSeen = true;
            return waitEnd::stopped;
        }
        const int slice = static_cast<int>(qMin<qint64>(deadline.remainingTime(), longestSliceMs));
        if (wait(slice))
            return waitEnd::met;
        if (lost || endedByError())
            return waitEnd::stopped;
    } while (!deadline.hasExpired());
    return waitEnd::timedOut;
}

bool serialLink::isLineLoss(QSerialPort::SerialPortError error)
{
    return error != QSerialPort::NoError && error != QSerialPort::TimeoutError;
}

// A read, write or resource error ends the exchange: the port is closed at
// the first one, as a vanished device would otherwise report it again and again.
bool serialLink::endedByError()
{
    const QSerialPort::SerialPortError error = port->error();
    if (!isLineLoss(error)) {
        port->clearError();
        return false;
    }
    lose(lostReason(error, *port));
    return true;
}

void serialLink::lose(const QString &reason)
{
    qDebug().noquote() << "comport lost:" << device + QStringLiteral(": ") + reason;
    lost = true;
    close();
}
