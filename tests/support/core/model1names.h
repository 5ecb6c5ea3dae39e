#pragma once

#include <QStringList>

// The thermostat form as tests name it.
namespace model1Names {

// Object names of the form's 35 line edits, in form order (rb 21st).
QStringList lineEdits();

} // namespace model1Names
