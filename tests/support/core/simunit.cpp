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
#include <sys/ioctl.h>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace {

// One byte of 8N1 at 1200 baud: ten bits.
constexpr auto byteTime = std::chrono::nanoseconds(std::chrono::seconds(10)) / 1200;
// The answering thread looks at its stop flag at least this often.
constexpr int pollMs = 20;
// Longest the unit waits for the program to read its last bytes before it goes.
constexpr int drainLimitMs = 2000;
// A unit reading a record gives it up after this long without a byte.
constexpr auto recordStall = std::chrono::seconds(3);
// Longest written bytes take to reach the follower, as far as the unit waits for them.
constexpr int arrivalMs = 200;

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

void simUnit::setPauseBefore(const QByteArray &text, int ms)
{
    QMutexLocker lock(&mutex);
    pauseBefore = text;
    pauseMs = ms;
}

void simUnit::setAnswerDelay(int ms)
{
    QMutexLocker lock(&mutex);
    answerDelayMs = ms;
}

void simUnit::setVanishAfter(int bytes)
{
    QMutexLocker lock(&mutex);
    vanishAfter = bytes;
}

bool simUnit::hasVanished() const
{
    return vanished;
}

bool simUnit::putStale(const QByteArray &bytes, int timeoutMs)
{
    if (::write(leader, bytes.constData(), size_t(bytes.size())) != bytes.size())
        return false;
    // The pseudo-terminal hands written bytes on to the follower a little later.
    const QDeadlineTimer deadline(timeoutMs);
    while (waitingForProgram() < bytes.size()) {
        if (deadline.hasExpired())
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
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
    return waitUntil([&] { return bytesIn.size() >= count; }, timeoutMs);
}

bool simUnit::waitForCommandPhase(int timeoutMs) const
{
    return waitUntil([this] { return phase == state::command; }, timeoutMs);
}

// Waits on arrived until done, asked under the mutex, answers true.
bool simUnit::waitUntil(const std::function<bool()> &done, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    QMutexLocker lock(&mutex);
    while (!done()) {
        if (!arrived.wait(&mutex, deadline))
            return done();
    }
    return true;
}

int simUnit::sentCount() const
{
    QMutexLocker lock(&mutex);
    return bytesSent;
}

std::chrono::microseconds simUnit::answerLateness() const
{
    QMutexLocker lock(&mutex);
    return std::chrono::duration_cast<std::chrono::microseconds>(answerLate);
}

int simUnit::loadsCompleted() const
{
    QMutexLocker lock(&mutex);
    return loads;
}

void simUnit::serve()
{
    while (!stopping) {
        readArrivals();
        dropStalledRecord();
        while (!stopping && !inbox.empty()) {
            const auto through = throughAt(inbox.front().at);
            if (std::chrono::steady_clock::now() < through)
                break;
            lineFree = qMax(lineFree, through);
            const char byte = inbox.front().byte;
            inbox.pop_front();
            send(take(byte));
            // A stall counts from the answer to the last byte, a slow handshake included.
            lastByte = std::chrono::steady_clock::now();
        }
    }
}

// Reads what the program wrote, waiting at most until the first byte read is
// through the line. Bytes that come while the unit waits for that one queue
// behind it on the line: noting them only after the wait would add each late
// wake-up of this thread to the line time.
void simUnit::readArrivals()
{
    using std::chrono::nanoseconds;
    nanoseconds wait = std::chrono::milliseconds(pollMs);
    if (!inbox.empty())
        wait = qBound(nanoseconds(0), throughAt(inbox.front().at) - std::chrono::steady_clock::now(), wait);
    const timespec timeout{0, long(wait.count())};
    pollfd ready{leader, POLLIN, 0};
    if (ppoll(&ready, 1, &timeout, nullptr) <= 0 || !(ready.revents & POLLIN))
        return;
    char buffer[256];
    const ssize_t count = ::read(leader, buffer, sizeof buffer);
    const auto now = std::chrono::steady_clock::now();
    for (ssize_t i = 0; i < count; ++i)
        inbox.push_back({buffer[i], now});
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
    if (lastFive.startsWith('!') && lastFive.endsWith("\r\n"))
        sentSinceCommand = 0;
    if (lastFive == "!WR\r\n") {
        // Only a unit that said it is receiving takes the record's lines.
        if (handshake.startsWith("Rec")) {
            phase = state::record;
            linesSeen = 0;
            recordStart = bytesIn.size();
        }
        return handshake;
    }
    if (lastFive == "!Rd\r\n" || lastFive == "!??\r\n") {
        delayBeforeReply = answerDelayMs;
        return lastFive == "!Rd\r\n" ? readoutReply : statusReply;
    }
    return QByteArray();
}

QByteArray simUnit::finishLoad()
{
    backToCommands();
    ++loads;
    delayBeforeReply = answerDelayMs;
    if (rememberLoads) {
        QByteArray record = bytesIn.mid(recordStart);
        if (record.endsWith("\r\n\r\n"))
            record.chop(2);
        // The unit keeps a field's leading '+' only in the first field.
        readoutReply = record.replace("\n+", "\n");
    }
    return finalAnswer;
}

// A unit gives up a record that stalls: it keeps its old one and reads
// what comes next as a command.
void simUnit::dropStalledRecord()
{
    QMutexLocker lock(&mutex);
    if (phase == state::record && std::chrono::steady_clock::now() - lastByte >= recordStall)
        backToCommands();
}

// Called with the mutex held.
void simUnit::backToCommands()
{
    phase = state::command;
    lastFive.clear();
    arrived.wakeAll();
}

void simUnit::send(const QByteArray &bytes)
{
    int goneAfter = 0;
    qsizetype pauseAt = -1;
    int pauseFor = 0;
    int delay = 0;
    {
        QMutexLocker lock(&mutex);
        goneAfter = vanishAfter;
        if (!pauseBefore.isEmpty())
            pauseAt = bytes.indexOf(pauseBefore);
        pauseFor = pauseMs;
        std::swap(delay, delayBeforeReply);
    }
    // Counted from the end of the byte answered, as the unit heard it.
    const auto heard = isPaced() ? lineFree : std::chrono::steady_clock::now();
    const auto ready = heard + std::chrono::milliseconds(delay);
    pauseUntil(ready);
    if (!bytes.isEmpty() && sentSinceCommand == goneAfter) // gone before its answer
        vanish();
    bool first = true;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (vanished || stopping) // a unit being taken down answers no more
            return;
        if (i == pauseAt)
            pauseUntil(std::chrono::steady_clock::now() + std::chrono::milliseconds(pauseFor));
        const char byte = bytes[i];
        const auto due = paceOneByte(ready);
        while (!stopping && ::write(leader, &byte, 1) != 1) {
            if (errno != EAGAIN)
                break;
            pollfd ready{leader, POLLOUT, 0};
            poll(&ready, 1, pollMs);
        }
        {
            QMutexLocker lock(&mutex);
            ++bytesSent;
            if (std::exchange(first, false))
                answerLate = std::chrono::steady_clock::now() - due;
        }
        if (++sentSinceCommand == goneAfter)
            vanish();
    }
}

// Keeps the line quiet until end, looking at the stop flag meanwhile.
void simUnit::pauseUntil(std::chrono::steady_clock::time_point end)
{
    const auto slice = std::chrono::milliseconds(pollMs);
    while (!stopping && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_until(qMin(end, std::chrono::steady_clock::now() + slice));
}

// Closes the leader once the program has read what was sent: the follower
// then reports a hang-up. A closed leader takes unread bytes with it, and
// written bytes reach the follower a little later, so the unit waits until
// they were seen there and are gone; bytes never seen within arrivalMs were
// read before it looked.
void simUnit::vanish()
{
    const QDeadlineTimer deadline(drainLimitMs);
    const QDeadlineTimer arrival(arrivalMs);
    bool seen = false;
    while (!stopping && !deadline.hasExpired()) {
        if (waitingForProgram() > 0)
            seen = true;
        else if (seen || arrival.hasExpired())
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    vanished = true; // the program may see the hang-up before close() returns
    ::close(leader);
    leader = -1;
}

// Bytes the program has not read yet from the follower.
int simUnit::waitingForProgram() const
{
    int queued = 0;
    return ioctl(follower, FIONREAD, &queued) == 0 ? queued : 0;
}

bool simUnit::isPaced() const
{
    QMutexLocker lock(&mutex);
    return paced;
}

// On a paced line a byte that is ready at `ready` is through once the line
// is free and one byte time has passed; on an unpaced line at once.
std::chrono::steady_clock::time_point simUnit::throughAt(std::chrono::steady_clock::time_point ready) const
{
    return isPaced() ? qMax(lineFree, ready) + byteTime : ready;
}

std::chrono::steady_clock::time_point simUnit::paceOneByte(std::chrono::steady_clock::time_point ready)
{
    if (!isPaced())
        return ready;
    lineFree = throughAt(ready);
    std::this_thread::sleep_until(lineFree);
    return lineFree;
}
