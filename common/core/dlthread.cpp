#include "dlthread.h"

#include "seriallink.h"

#include <QDebug>
#include <QStringList>

dlThread::dlThread(const linkSettings &settings, int readWaitMs)
    : transferThread(settings), readWaitMs(readWaitMs)
{
}

void dlThread::run()
{
    emit progressRange(0, static_cast<int>(settings.frameText.size()) + 10);
    emit progressReset();

    serialLink link;
    link.setInterruptCheck([this] { return isInterruptionRequested(); });
    if (!link.setUp(settings.port, 0, readWaitMs))
        return;
    succeeded = link.writeCommand('W', 'R') && handshake(link) && sendRecord(link)
               && unitAccepted(link);
    link.close();
}

// The unit answers the load command with "Rec" and two more bytes.
bool dlThread::handshake(serialLink &link)
{
    char byte = 0;
    if (!link.readByte(byte) || byte != 'R') {
        if (!link.lineLost()) // a lost line has its own diagnostic
            diagnose(QStringLiteral("not ready or wrong com."));
        return false;
    }
    QByteArray answer(1, 'R');
    while (answer.size() < 5 && link.readByte(byte))
        answer += byte;
    if (!answer.startsWith("Rec")) {
        diagnose(QLatin1Char('"') + QString::fromLatin1(answer) + QLatin1Char('"'));
        return false;
    }
    emit progressValue(10);
    return true;
}

// A worker being stopped has no unit to complain about.
void dlThread::diagnose(const QString &line) const
{
    if (!isInterruptionRequested())
        qDebug().noquote() << line;
}

// Every field of the record as one CR LF line, one byte per character.
bool dlThread::sendRecord(serialLink &link)
{
    int value = 10;
    const QStringList lines = settings.frameText.split(charText(settings.dlSep), Qt::KeepEmptyParts);
    for (const QString &line : lines) {
        for (const QChar character : line) {
            // A character beyond Latin-1 goes out as the byte 0.
            if (!link.writeByte(character.toLatin1()))
                return false;
            emit progressValue(++value);
        }
        if (!link.writeByte('\r') || !link.writeByte('\n'))
            return false;
        emit progressValue(++value);
    }
    return true;
}

// Either of the two bytes that close the exchange may be the 'O' of success.
// With both read the unit's answer is whole, a refusal too; an 'O' alone is
// taken as the whole answer as well. Any other end may leave the unit still
// answering, for the next exchange to wait out.
bool dlThread::unitAccepted(serialLink &link)
{
    QByteArray answer;
    char byte = 0;
    while (answer.size() < 2 && link.readByte(byte))
        answer += byte;
    // A line lost after the 'O' still fails the load.
    const bool accepted = answer.contains('O') && !link.lineLost();
    if (accepted || answer.size() == 2)
        link.replyComplete();
    return accepted;
}
