#include "windowform.h"

#include "mainwindow.h"

#include <QCheckBox>
#include <QLineEdit>

namespace windowForm {

QList<QLineEdit *> edits(const MainWindow &window)
{
    return window.findChild<QWidget *>("centralWidget")->findChildren<QLineEdit *>();
}

QList<QCheckBox *> boxes(const MainWindow &window)
{
    return window.findChild<QWidget *>("centralWidget")->findChildren<QCheckBox *>();
}

void fill(MainWindow &window, const formValues &values)
{
    const QList<QLineEdit *> fields = edits(window);
    for (int i = 0; i < values.texts.size() && i < fields.size(); ++i)
        fields[i]->setText(values.texts[i]);
    const QList<QCheckBox *> flags = boxes(window);
    for (int i = 0; i < values.flags.size() && i < flags.size(); ++i)
        flags[i]->setChecked(values.flags[i]);
}

formValues read(const MainWindow &window)
{
    formValues values;
    for (const QLineEdit *edit : edits(window))
        values.texts.append(edit->text());
    for (const QCheckBox *box : boxes(window))
        values.flags.append(box->isChecked());
    return values;
}

} // namespace windowForm
