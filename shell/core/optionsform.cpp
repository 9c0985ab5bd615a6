#include "shell/core/optionsform.h"

#include <algorithm>

namespace telvio {

OptionsForm OptionsForm::From(const Options &o)
{
    OptionsForm f;
    f.tooltip = o.tooltip == 1;
    f.terminal = o.terminal == 1;
    f.debug = o.debug == 1;
    f.autoLoad = o.autoLoad == 1;
    f.userAutoConnect = o.userAutoConnect == 1;
    f.searchPorts = o.searchPorts == 1;
    f.numberOfPortsIndex = o.numberOfPorts;
    f.autoDisconnect = o.autoDisconnect == 1;
    f.dtrEnable = o.dtrEnable == 1;
    f.rtsEnable = o.rtsEnable == 1;
    f.flowControlIndex = o.flowControl;
    f.delayText = QString::number(o.delayBeforeAT);
    return f;
}

Options OptionsForm::ToOptions() const
{
    Options o;
    o.tooltip = tooltip ? 1 : 0;
    o.terminal = terminal ? 1 : 0;
    o.debug = debug ? 1 : 0;
    o.autoLoad = autoLoad ? 1 : 0;
    o.userAutoConnect = userAutoConnect ? 1 : 0;
    o.searchPorts = searchPorts ? 1 : 0;
    o.numberOfPorts = numberOfPortsIndex;
    o.autoDisconnect = autoDisconnect ? 1 : 0;
    o.dtrEnable = dtrEnable ? 1 : 0;
    o.rtsEnable = rtsEnable ? 1 : 0;
    o.flowControl = flowControlIndex;
    o.delayBeforeAT = ReadDelayText(delayText);
    o.Clamp();
    return o;
}

int ReadDelayText(const QString &text)
{
    int i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    qint64 value = 0;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i) {
        value = value * 10 + (text[i].unicode() - '0');
        if (value > 1000000)
            break; // far past the range; no need to read on
    }
    if (negative)
        value = -value;
    return int(std::clamp<qint64>(value, 0, 1000));
}

} // namespace telvio
