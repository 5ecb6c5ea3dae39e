#include "help.h"

#include "ui_help.h"

#include <QFile>
#include <QStringDecoder>
#include <QTextStream>

namespace {

// The file's lines up to and including the first "---" line, each ended by "\n".
QString helpText(const QByteArray &bytes)
{
    QString decoded = QStringDecoder("windows-1250")(bytes);
    QTextStream stream(&decoded, QIODevice::ReadOnly);
    QString text;
    do {
        const QString line = stream.readLine();
        text += line + QLatin1Char('\n');
        if (line == QLatin1String("---"))
            break;
    } while (!stream.atEnd());
    return text;
}

} // namespace

help::help(const QString &fileName, const QString &errorText, QWidget *parent)
    : QDialog(parent), ui(new Ui_help)
{
    ui->setupUi(this);
    ui->plainTextEdit->setReadOnly(true);

    QFile file(fileName);
    // A file that exists but cannot be read is reported like a missing one.
    if (!file.open(QIODevice::ReadOnly)) {
        ui->plainTextEdit->setPlainText(errorText);
        return;
    }
    const QString text = helpText(file.readAll());
    ui->plainTextEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    ui->plainTextEdit->setPlainText(text);
}

help::~help()
{
    delete ui;
}

void help::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
