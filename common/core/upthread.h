#pragma once

#include "formvalues.h"
#include "readoutthread.h"

// Worker of the read-out dialog: reads the unit's parameter block and
// checks it into the form's new values. The form itself is filled by the
// dialog, in one step, from form().
class upThread : public readoutThread
{
    Q_OBJECT

public:
    // lineEdits: how many line edits the form has. fullBarOnlyAfterFill:
    // the bar reaches its end only with a complete field list, not as soon
    // as the reply is in.
    upThread(const linkSettings &settings, int lineEdits, bool fullBarOnlyAfterFill);

    // Every line edit's text and every flag; only when result() is true.
    formValues form() const { return values; }

protected:
    void run() override;

private:
    const int lineEdits;
    const bool fullBarOnlyAfterFill;
    formValues values;
};
