#pragma once

#include "shell/core/shelllayer.h"

#include "shell/core/options.h"

#include <QString>

namespace telvio {

// The Options dialog's controls as plain values.
struct OptionsForm {
    bool tooltip = true;
    bool terminal = true;
    bool debug = false;
    bool autoLoad = true;
    bool userAutoConnect = false;
    bool searchPorts = true;
    int numberOfPortsIndex = 15; // item of "1".."16"
    bool autoDisconnect = false;
    bool dtrEnable = true;
    bool rtsEnable = true;
    int flowControlIndex = 0;
    QString delayText = QStringLiteral("0");

    static constexpr int kDelayMaxLength = 4;

    static OptionsForm From(const Options &options);
    // The controls the Defaults button sets.
    static OptionsForm Defaults() { return From(Options()); }
    Options ToOptions() const;
};

// The delay field read as a decimal number the way the C library reads one
// (leading blanks, a sign, digits up to the first other character; no digits
// gives 0), then brought into 0..1000.
int ReadDelayText(const QString &text);

} // namespace telvio
