#pragma once

#include <QList>
#include <QStringList>

// The form's persistent fields as plain values: the line edits' texts and the
// check boxes' ticks, each in form order. What the window hands to the record,
// file and read-out code, and what that code hands back.
struct formValues
{
    QStringList texts;
    QList<bool> flags;
};
