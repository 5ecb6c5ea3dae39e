#include "vthread.h"

#include "framebuilder.h"
#include "frameverifier.h"

#include <QDebug>

vThread::vThread(const linkSettings &settings, const formValues &form)
    : readoutThread(settings), form(form)
{
}

void vThread::run()
{
    const frameBuilder builder(settings);
    const frameBuilder::Result expected = builder.expected(form);
    if (!expected.accepted()) {
        reason = builder.verifyReason(expected.refusal);
        return;
    }
    const deviceExchange::Reply reply = collect(true);
    if (reply.outcome != deviceExchange::Received)
        return;
    const frameVerifier::Result compared =
        frameVerifier(settings, readoutCollection::EveryByteKept).compare(expected.text, reply.text);
    if (!compared.equal) {
        qDebug().noquote() << compared.expectedLine();
        qDebug().noquote() << compared.receivedLine();
    }
    succeeded = compared.equal;
}
