#include "simunit.h"

#include "seriallink.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

// One byte of 8N1 at 1200 baud: ten bits.
constexpr auto byteTime = std::chrono::nanoseconds(std::chrono::seconds(10)) / 1200;
// The answering thread looks at its stop flag at least this often.
constexpr int pollMs = 20;

bool makeRaw(int fd)
{
    termios mode{};
    if (tcgetattr(fd, &mode) != 0)
        return false;
    cfmakeraw(&mode);
    return tcsetattr(fd, TCSANOW, &mode) == 0;
}

} // namespace

simUnit::simUnit()
{
    if (openpty(&leader, &follower, nullptr, nullptr, nullptr) != 0)
        return;
    char name[256] = {};
    if (ptsname_r(leader, name, sizeof name) != 0 || !makeRaw(leader) || !makeRaw(follower))
        return;
    // The unit keeps the follower open as well, so that the leader never
    // sees a hang-up between two exchanges.
    followerPath = QString::fromLocal8Bit(name);
    fcntl(leader, F_SETFL, fcntl(leader, F_GETFL) | O_NONBLOCK);
    thread = QThread::create([this] { serve(); });
    thread->start();
}

simUnit::~simUnit()
{
    stopping = true;
    if (thread) {
        thread->wait();
        delete thread;
    }
    if (follower >= 0)
        ::close(follower);
    if (leader >= 0)
        ::close(leader);
    if (portMap) {
        if (hadConfigHome)
            qputenv("XDG_CONFIG_HOME", savedConfigHome);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }
}

bool simUnit::isRunning() const
{
    return thread != nullptr;
}

QString simUnit::devicePath() const
{
    return followerPath;
}

bool simUnit::mapAs(const QString &portName)
{
    if (!portMap) {
        hadConfigHome = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        savedConfigHome = qgetenv("XDG_CONFIG_HOME");
    }
    portMap = std::make_unique<QTemporaryDir>();
    if (!portMap->isValid() || followerPath.isEmpty())
        return false;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(portMap->path()));
    const QString folder = serialLink::portMapFolder();
    return QDir().mkpath(folder) && QFile::link(followerPath, folder + QLatin1Char('/') + portName);
}

void simUnit::setHandshake(const QByteArray &bytes)
{
    QMutexLocker lock(&mutex);
    handshake = bytes;
}

void simUnit::setFinalAnswer(const QByteArray &bytes)
{
    QMutexLocker lock(&mutex);
    finalAnswer = bytes;
}

void simUnit::setRecordLines(int lines)
{
    QMutexLocker lock(&mutex);
    recordLines = lines;
}

void simUnit::setReadoutReply(const QByteArray &bytes)
{
    QMutexLocker lock(&mutex);
    readoutReply = bytes;
}

void simUnit::setStatusReply(const QByteArray &bytes)
{
    QMutexLocker lock(&mutex);
    statusReply = bytes;
}

void simUnit::setSilent(bool isSilent)
{
    QMutexLocker lock(&mutex);
    silent = isSilent;
}

void simUnit::setRememberLoads(bool remember)
{
    QMutexLocker lock(&mutex);
    rememberLoads = remember;
}

void simUnit::setPaced(bool isPaced)
{
    QMutexLocker lock(&mutex);
    paced = isPaced;
}

QByteArray simUnit::received() const
{
    QMutexLocker lock(&mutex);
    return bytesIn;
}

void simUnit::clearReceived()
{
    QMutexLocker lock(&mutex);
    bytesIn.clear();
}

bool simUnit::waitForReceived(int count, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    QMutexLocker lock(&mutex);
    while (bytesIn.size() < count) {
        if (!arrived.wait(&mutex, deadline))
            return bytesIn.size() >= count;
    }
    return true;
}

int simUnit::loadsCompleted() const
{
    QMutexLocker lock(&mutex);
    return loads;
}

void simUnit::serve()
{
    while (!stopping) {
        pollfd ready{leader, POLLIN, 0};
        if (poll(&ready, 1, pollMs) <= 0 || !(ready.revents & POLLIN))
            continue;
        char buffer[256];
        const ssize_t count = ::read(leader, buffer, sizeof buffer);
        const auto arrival = std::chrono::steady_clock::now();
        for (ssize_t i = 0; i < count && !stopping; ++i) {
            paceOneByte(arrival);
            send(take(buffer[i]));
        }
    }
}

// Records one byte and returns what the unit answers to it.
QByteArray simUnit::take(char byte)
{
    QMutexLocker lock(&mutex);
    bytesIn += byte;
    arrived.wakeAll();
    if (phase == state::record)
        return byte == '\n' && ++linesSeen == recordLines ? finishLoad() : QByteArray();
    lastFive = (lastFive + byte).right(5);
    if (silent)
        return QByteArray();
    if (lastFive == "!WR\r\n") {
        // Only a unit that said it is receiving takes the record's lines.
        if (handshake.startsWith("Rec")) {
            phase = state::record;
            linesSeen = 0;
            recordStart = bytesIn.size();
        }
        return handshake;
    }
    if (lastFive == "!Rd\r\n")
        return readoutReply;
    if (lastFive == "!??\r\n")
        return statusReply;
    return QByteArray();
}

QByteArray simUnit::finishLoad()
{
    phase = state::command;
    lastFive.clear();
    ++loads;
    if (rememberLoads) {
        QByteArray record = bytesIn.mid(recordStart);
        if (record.endsWith("\r\n\r\n"))
            record.chop(2);
        readoutReply = record;
    }
    return finalAnswer;
}

void simUnit::send(const QByteArray &bytes)
{
    const auto ready = std::chrono::steady_clock::now();
    for (const char byte : bytes) {
        paceOneByte(ready);
        while (!stopping && ::write(leader, &byte, 1) != 1) {
            if (errno != EAGAIN)
                break;
            pollfd ready{leader, POLLOUT, 0};
            poll(&ready, 1, pollMs);
        }
    }
}

// On a paced line a byte that is ready at `ready` is through once the line
// is free and one byte time has passed.
void simUnit::paceOneByte(std::chrono::steady_clock::time_point ready)
{
    {
        QMutexLocker lock(&mutex);
        if (!paced)
            return;
    }
    lineFree = qMax(lineFree, ready) + byteTime;
    std::this_thread::sleep_until(lineFree);
}
