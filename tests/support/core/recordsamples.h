#pragma once

#include "formvalues.h"

#include <QStringList>

// A completely filled model-2 form and the record fields it is sent as.
namespace recordSamples {

// Object names of the form's line edits, in form order.
QStringList lineEditNames();

// Positions in the form's texts.
constexpr int h1Low = 16;
constexpr int h1High = 17;
constexpr int h2Low = 19;
constexpr int h2High = 20;
constexpr int firstPhone = 26;
constexpr int stopWord = 34;

// 35 texts (phones t3 and t5..t8 empty) and 16 flags giving the modes
// A, D, P, S, P, P, P, P.
formValues filledForm();

// The 43 fields of that form's record, in the order they go on the line.
QStringList recordFields();

// Record field of phone k (0..7) and of its mode letter.
constexpr int phoneField(int k) { return firstPhone + 2 * k; }
constexpr int modeField(int k) { return firstPhone + 2 * k + 1; }

} // namespace recordSamples
