#include "debugcapture.h"

#include <QMutex>

namespace {

QMutex capturedMutex;
QStringList captured;
QtMessageHandler passedOn = nullptr;

} // namespace

debugCapture::debugCapture()
{
    QMutexLocker lock(&capturedMutex);
    captured.clear();
    passedOn = qInstallMessageHandler(&debugCapture::collect);
}

debugCapture::~debugCapture()
{
    qInstallMessageHandler(passedOn);
}

QStringList debugCapture::lines() const
{
    QMutexLocker lock(&capturedMutex);
    return captured;
}

// Debug lines are kept; anything else still goes where it went before.
void debugCapture::collect(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type != QtDebugMsg) {
        if (passedOn)
            passedOn(type, context, text);
        return;
    }
    QMutexLocker lock(&capturedMutex);
    captured += text;
}
