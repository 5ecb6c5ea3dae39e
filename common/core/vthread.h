#pragma once

#include "formvalues.h"
#include "readoutthread.h"

// Worker of the verify dialog: builds the record the form's values would
// load, reads the unit's block back and compares the two. A form the record
// cannot be built from fails at once, before the port is opened.
class vThread : public readoutThread
{
    Q_OBJECT

public:
    // form: the form's values, read before the worker starts.
    vThread(const linkSettings &settings, const formValues &form);

    // Why the form was refused before the port was opened, when the
    // failure text should say so; empty otherwise.
    QString refusalReason() const { return reason; }

protected:
    void run() override;

private:
    const formValues form;
    QString reason;
};
