#include "statusreply.h"

#include <QStringList>

namespace {

const int itemsNeeded = 7;

bool isOn(const QString &item, int position)
{
    return position < item.size() && item.at(position) == QLatin1Char('1');
}

// The item without its label and without its trailing character.
QString temperatureText(QString item, const QString &label)
{
    item.remove(label);
    item.chop(1);
    return item;
}

// One or two digits, possibly followed by a comma and more.
int signalValue(const QString &item)
{
    QString digits = item.left(2);
    if (digits.size() == 2 && digits.at(1) == QLatin1Char(','))
        digits.chop(1);
    const int value = digits.toInt(nullptr, 10);
    return (value > 31 || value < 2) ? 2 : value;
}

} // namespace

QStringList statusReply::commonItems(const QString &collected, statusReply &reply)
{
    QString text = collected;

    // The name and the separator after it are taken out; without a name the
    // text's last character goes instead.
    const qsizetype first = text.indexOf(QLatin1Char('"'));
    if (first >= 0) {
        const qsizetype last = text.lastIndexOf(QLatin1Char('"'));
        reply.operatorName = text.mid(first, last - first + 1);
        text.remove(first, last - first + 2);
    } else {
        text.chop(1);
    }

    const QStringList items = text.split(QLatin1Char(' '), Qt::KeepEmptyParts);
    reply.complete = items.size() >= itemsNeeded;
    if (!reply.complete)
        return {};

    reply.input2 = isOn(items.at(0), 3);
    reply.input1 = isOn(items.at(0), 4);
    reply.output2 = isOn(items.at(1), 3);
    reply.output1 = isOn(items.at(1), 4);
    reply.supply = isOn(items.at(4), 4);
    reply.signal = signalValue(items.at(6));
    return items;
}

statusReply statusReply::parse(const QString &collected)
{
    statusReply reply;
    const QStringList items = commonItems(collected, reply);
    if (reply.complete) {
        reply.temperature1 = temperatureText(items.at(2), QStringLiteral("T1:"));
        reply.temperature2 = temperatureText(items.at(3), QStringLiteral("T2:"));
    }
    return reply;
}

statusReply statusReply::parseThermostat(const QString &collected)
{
    statusReply reply;
    const QStringList items = commonItems(collected, reply);
    if (reply.complete) {
        reply.regulatorOutput = isOn(items.at(2), 2);
        reply.temperature = temperatureText(items.at(3), QStringLiteral("T:"));
    }
    return reply;
}
