#pragma once

#include <QString>

// The unit's answer to the status command, read from the collected text: a
// quoted operator name, then space-separated items for the inputs, outputs,
// temperatures, supply and signal strength. A position an item lacks reads
// as "off" / "no comma".
struct statusReply
{
    static statusReply parse(const QString &collected);

    QString operatorName;   // first to last double quote, both kept; empty without one
    bool complete = false;  // at least seven items; the fields below hold only then

    bool input1 = false;
    bool input2 = false;
    bool output1 = false;
    bool output2 = false;
    bool supply = false;
    QString temperature1;
    QString temperature2;
    int signal = 2;         // 2 to 31; anything else read shows as 2

    bool weakSignal() const { return signal <= 5; }
    const char *signalBarSheet() const { return weakSignal() ? barWeak : barNormal; }

    // The status panel's looks.
    static constexpr char inputOn[] = "background-color: rgb(0, 170, 255);";
    static constexpr char outputOn[] = "background-color: rgb(255, 170, 0);";
    static constexpr char supplyOn[] = "background-color: rgb(0, 170, 0);";
    static constexpr char lampOff[] = "background-color: rgb(180, 180, 180);";
    static constexpr char buttonRunning[] =
        "color: rgb(255, 255, 255); background-color: rgb(180, 180, 180);";
    static constexpr char buttonRestored[] =
        "color: rgb(255, 255, 255); background-color: rgb(0, 170, 127);";
    static constexpr char barWeak[] = "QProgressBar::chunk { background-color: #FF0000; }";
    static constexpr char barNormal[] = "QProgressBar::chunk { background-color: #05B8CC; }";
};
