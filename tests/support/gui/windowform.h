#pragma once

#include "formvalues.h"

#include <QList>

class MainWindow;
class QCheckBox;
class QLineEdit;

// The window's form fields as a test reaches them: the line edits and check
// boxes under the central widget, in form order.
namespace windowForm {

QList<QLineEdit *> edits(const MainWindow &window);
QList<QCheckBox *> boxes(const MainWindow &window);

void fill(MainWindow &window, const formValues &values);
formValues read(const MainWindow &window);

} // namespace windowForm
