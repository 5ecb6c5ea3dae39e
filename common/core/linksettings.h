#pragma once

#include <QString>

class QTextStream;

// How the programs talk to the unit, plus the window's working strings.
// A plain value: every transfer works on its own copy.
class linkSettings
{
public:
    linkSettings();
    linkSettings(const QString &port, int baud, qint8 chks, qint8 ack, int timeout);

    // Applies "key=value" lines up to a "---" line; returns the mask of the
    // weighted keys that were missing or unusable (0: all applied).
    quint8 readFrom(QTextStream &stream);

    QString port = QStringLiteral("COM1");
    int baud = 1200;
    qint8 chks = 0;      // 0..3: 8/16/24/32-bit sum; anything else: fixed check character
    qint8 ack = 'O';
    int timeout = 1500;  // ms per byte
    int check = 0;       // 1: append and check the checksum
    qint8 dlSep = '|';
    qint8 upSep = '|';
    qint8 upCmd = '{';

    QString frameText;
    QString fileName;
    QString filePath;
    QString linkText;
    QString aboutText;
    QString imagePath;
};

// A one-character string made of a setting's byte, read as Latin-1.
QString charText(qint8 byte);

// The byte a one-character setting takes from a text: the first byte of its
// Latin-1 form ('?' for a character outside Latin-1), 0 when empty.
qint8 firstByteOf(const QString &text);
