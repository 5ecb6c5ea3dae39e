#pragma once

#include <QString>
#include <QStringList>

// The unit's answer to the status command, read from the collected text: a
// quoted operator name, then space-separated items for the inputs, outputs,
// temperatures, supply and signal strength. A position an item lacks reads
// as "off" / "no comma".
struct statusReply
{
    static statusReply parse(const QString &collected);
    // The thermostat's reply: item 2 is the regulator output, item 3 the one
    // temperature ("T:"); inputs, outputs, supply and signal as above.
    static statusReply parseThermostat(const QString &collected);

    QString operatorName;   // first to last double quote, both kept; empty without one
    bool complete = false;  // at least seven items; the fields below hold only then

    bool input1 = false;
    bool input2 = false;
    bool output1 = false;
    bool output2 = false;
    bool supply = false;
    QString temperature1;
    QString temperature2;
    bool regulatorOutput = false; // thermostat only
    QString temperature;          // thermostat only
    int signal = 2;         // 2 to 31; anything else read shows as 2

    bool weakSignal() const { return signal <= 5; }
    const char *signalBarSheet() const { return weakSignal() ? barWeak : barNormal; }

    // The status panel's looks.
    static constexpr char inputOn[] = "background-color: rgb(0, 170, 255);";
    static constexpr char outputOn[] = "background-color: rgb(255, 170, 0);";
    static constexpr char regulatorOn[] = "background-color: rgb(255, 0, 0);";
    static constexpr char supplyOn[] = "background-color: rgb(0, 170, 0);";
    static constexpr char lampOff[] = "background-color: rgb(180, 180, 180);";
    static constexpr char buttonRunning[] =
        "color: rgb(255, 255, 255); background-color: rgb(180, 180, 180);";
    static constexpr char buttonRestored[] =
        "color: rgb(255, 255, 255); background-color: rgb(0, 170, 127);";
    static constexpr char barWeak[] = "QProgressBar::chunk { background-color: #FF0000; }";
    static constexpr char barNormal[] = "QProgressBar::chunk { background-color: #05B8CC; }";

private:
    // Takes out the operator name and splits the rest into items; fills the
    // items both units share when there are enough of them.
    static QStringList commonItems(const QString &collected, statusReply &reply);
};
