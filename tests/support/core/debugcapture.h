#pragma once

#include <QStringList>
#include <QtGlobal>

// Collects the debug lines written while it lives, from any thread, instead
// of printing them. One at a time.
class debugCapture
{
public:
    debugCapture();
    ~debugCapture();

    debugCapture(const debugCapture &) = delete;
    debugCapture &operator=(const debugCapture &) = delete;

    QStringList lines() const;

private:
    static void collect(QtMsgType type, const QMessageLogContext &context, const QString &text);
};
