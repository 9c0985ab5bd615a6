#include "shell/core/options.h"

#include <QSettings>

#include <algorithm>

namespace telvio {

namespace {

struct OptionField {
    const char *name;
    int Options::*member;
    int low;
    int high;
};

// Value names as they stand in the store.
const OptionField kFields[] = {
    {"Tooltip", &Options::tooltip, 0, 1},
    {"Debug", &Options::debug, 0, 1},
    {"Terminal", &Options::terminal, 0, 1},
    {"AutoDisconnect", &Options::autoDisconnect, 0, 1},
    {"SearchPorts", &Options::searchPorts, 0, 1},
    {"NumberOfPorts", &Options::numberOfPorts, 0, 15},
    {"userAutoConnect", &Options::userAutoConnect, 0, 1},
    {"DTREnable", &Options::dtrEnable, 0, 1},
    {"RTSEnable", &Options::rtsEnable, 0, 1},
    {"FlowControl", &Options::flowControl, 0, 3},
    {"AutoLoad", &Options::autoLoad, 0, 1},
    {"DelayBeforeAT", &Options::delayBeforeAT, 0, 1000},
};

const QString kGroup = QStringLiteral("Settings");

} // namespace

void Options::Clamp()
{
    for (const OptionField &f : kFields)
        this->*f.member = std::clamp(this->*f.member, f.low, f.high);
}

bool Options::operator==(const Options &o) const
{
    for (const OptionField &f : kFields) {
        if (this->*f.member != o.*f.member)
            return false;
    }
    return true;
}

Options Options::Load(QSettings &store)
{
    Options o;
    store.beginGroup(kGroup);
    for (const OptionField &f : kFields) {
        bool ok = false;
        const QVariant v = store.value(QLatin1String(f.name));
        const qlonglong n = v.toLongLong(&ok);
        if (ok)
            o.*f.member = int(std::clamp<qlonglong>(n, f.low, f.high));
    }
    store.endGroup();
    o.Clamp();
    return o;
}

void Options::Save(QSettings &store) const
{
    store.beginGroup(kGroup);
    for (const OptionField &f : kFields)
        store.setValue(QLatin1String(f.name), this->*f.member);
    store.endGroup();
}

} // namespace telvio
