#include "linksettings.h"

#include <QStringList>
#include <QTextStream>

linkSettings::linkSettings() = default;

linkSettings::linkSettings(const QString &port, int baud, qint8 chks, qint8 ack, int timeout)
    : port(port), baud(baud), chks(chks), ack(ack), timeout(timeout)
{
}

QString charText(qint8 byte)
{
    return QString(QChar(static_cast<uchar>(byte)));
}

qint8 firstByteOf(const QString &text)
{
    const QByteArray bytes = text.toLatin1();
    return bytes.isEmpty() ? qint8(0) : static_cast<qint8>(bytes.at(0));
}

quint8 linkSettings::readFrom(QTextStream &stream)
{
    quint8 found = 0;
    QString line;
    do {
        line = stream.readLine().remove(QLatin1Char(' '));
        const QStringList parts = line.split(QLatin1Char('='), Qt::KeepEmptyParts);
        const QString &key = parts.first();
        const QString &value = parts.last();
        bool isNumber = false;
        const int number = value.toInt(&isNumber, 10);

        if (key == QLatin1String("Baudrate") && isNumber) {
            baud = number;
            found += 1;
        }
        if (key == QLatin1String("Port") && !value.isEmpty()) {
            port = value;
            found += 2;
        }
        if (key == QLatin1String("SerialTimeout") && isNumber) {
            timeout = number;
            found += 4;
        }
        if (key == QLatin1String("CheckSize")) {
            if (isNumber && number >= 1 && number <= 4) {
                chks = static_cast<qint8>(number - 1);
                found += 8;
            } else if (!isNumber && !value.isEmpty()) {
                chks = firstByteOf(value);
                found += 8;
            }
        }
        if (key == QLatin1String("CheckValue") && isNumber && (number == 0 || number == 1)) {
            check = number;
            found += 16;
        }
        if (key == QLatin1String("UploadCommand") && !value.isEmpty())
            upCmd = firstByteOf(value);
        if (key == QLatin1String("UploadSeparator") && !value.isEmpty())
            upSep = firstByteOf(value);
        if (key == QLatin1String("DownloadSeparator") && !value.isEmpty())
            dlSep = firstByteOf(value);
    } while (line != QLatin1String("---") && !stream.atEnd());
    return static_cast<quint8>(31 - found);
}
