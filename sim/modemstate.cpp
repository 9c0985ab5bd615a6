#include "sim/modemstate.h"

#include "sim/commandline.h"

#include <algorithm>

namespace telvio::sim {

bool SettingField::allows(int value) const
{
    return std::any_of(allowed.begin(), allowed.end(), [value](const QPair<int, int> &range) {
        return value >= range.first && value <= range.second;
    });
}

SettingField SettingField::range(int low, int high, int whenOmitted)
{
    SettingField field;
    field.allowed.append({low, high});
    field.whenOmitted = whenOmitted;
    return field;
}

SettingField SettingField::values(const QList<int> &values, int whenOmitted)
{
    SettingField field;
    for (int v : values)
        field.allowed.append({v, v});
    field.whenOmitted = whenOmitted;
    return field;
}

ModemState::ModemState(const SimConfig &config)
    : m_model(config.model), m_firmware(config.effectiveFirmware())
{
    m_sim.card = config.sim;
    m_sim.pin = config.pin;
    m_sim.puk = config.puk;
    const ModelInfo &info = modelInfo(config.model);
    m_variables.insert("MANUFACTURER", "Kestrava");
    m_variables.insert("MODEL", info.name);
    m_variables.insert("IMEI", config.effectiveImei());
    m_variables.insert("WOPEN_VERSION", config.wopenVersion);
}

QByteArray ModemState::variable(const QByteArray &name) const
{
    auto it = m_variables.constFind(name);
    if (it != m_variables.constEnd())
        return it.value();
    return m_active.value(name);
}

void ModemState::setVariable(const QByteArray &name, const QByteArray &value)
{
    m_variables.insert(name, value);
}

QByteArray ModemState::expand(const QByteArray &text) const
{
    QByteArray result;
    int pos = 0;
    while (pos < text.size()) {
        const int start = text.indexOf("${", pos);
        const int end = start < 0 ? -1 : text.indexOf('}', start + 2);
        if (end < 0) {
            result += text.mid(pos);
            break;
        }
        result += text.mid(pos, start - pos);
        result += variable(text.mid(start + 2, end - start - 2));
        pos = end + 1;
    }
    return result;
}

void ModemState::addSetting(const SettingDef &def)
{
    if (!m_defs.contains(def.name))
        m_order.append(def.name);
    m_defs.insert(def.name, def);
    m_active.insert(def.name, def.factory);
    m_stored.insert(def.name, def.factory);
    m_factory.insert(def.name, def.factory);
}

const SettingDef *ModemState::setting(const QByteArray &name) const
{
    auto it = m_defs.constFind(name);
    return it == m_defs.constEnd() ? nullptr : &it.value();
}

QByteArray ModemState::value(const QByteArray &name, ProfileSlot slot) const
{
    switch (slot) {
    case ProfileSlot::Active: return m_active.value(name);
    case ProfileSlot::Stored: return m_stored.value(name);
    case ProfileSlot::Factory: return m_factory.value(name);
    }
    return {};
}

int ModemState::number(const QByteArray &name) const
{
    const QByteArray text = m_active.value(name);
    const int comma = text.indexOf(',');
    return (comma < 0 ? text : text.left(comma)).toInt();
}

std::optional<QByteArray> ModemState::parseValue(const SettingDef &def, const QByteArray &argument) const
{
    if (def.parseText)
        return def.parseText(argument);
    QList<QByteArray> texts = splitArguments(argument);
    // A basic command or S-parameter without a number means 0 (V.250 5.3.1).
    if (texts.isEmpty() && def.kind != SettingKind::Extended)
        texts.append("0");
    if (texts.isEmpty() || texts.size() > def.fields.size())
        return std::nullopt;
    QList<int> values;
    for (int i = 0; i < def.fields.size(); ++i) {
        const SettingField &field = def.fields.at(i);
        int value = 0;
        if (i >= texts.size() || texts.at(i).isEmpty()) {
            if (field.whenOmitted < 0)
                return std::nullopt;
            value = field.whenOmitted;
        } else if (!parseNumber(texts.at(i), &value) || !field.allows(value)) {
            return std::nullopt;
        }
        values.append(value);
    }
    if (def.check && !def.check(values))
        return std::nullopt;
    QByteArray text;
    for (int i = 0; i < values.size(); ++i) {
        if (i > 0)
            text += ',';
        text += QByteArray::number(values.at(i));
    }
    return text;
}

bool ModemState::set(const QByteArray &name, const QByteArray &argument)
{
    const SettingDef *def = setting(name);
    if (!def)
        return false;
    const std::optional<QByteArray> value = parseValue(*def, argument);
    if (!value)
        return false;
    m_active.insert(name, *value);
    return true;
}

bool ModemState::setAtPowerUp(const QByteArray &name, const QByteArray &argument)
{
    if (!set(name, argument))
        return false;
    m_stored.insert(name, m_active.value(name));
    return true;
}

void ModemState::storeProfile()
{
    for (const QByteArray &name : m_order) {
        if (m_defs.value(name).stored)
            m_stored.insert(name, m_active.value(name));
    }
}

void ModemState::restoreStored()
{
    for (const QByteArray &name : m_order) {
        if (m_defs.value(name).stored)
            m_active.insert(name, m_stored.value(name));
    }
}

void ModemState::restoreFactory()
{
    const bool resetsPort = modelInfo(m_model).factoryResetsPort;
    for (const QByteArray &name : m_order) {
        if (m_defs.value(name).portSetting && !resetsPort)
            continue;
        m_active.insert(name, m_factory.value(name));
    }
}

QList<QByteArray> ModemState::profileDump(ProfileSlot slot) const
{
    // Settings with a line of their own first; the rest of the stored
    // profile follows, a few to a line, so the dump shows all of it. Two
    // blanks stand between the items, as on the modem.
    constexpr int kItemsPerExtraLine = 4;
    int lastLine = -1;
    for (const QByteArray &name : m_order)
        lastLine = std::max(lastLine, m_defs.value(name).dumpLine);
    auto item = [this, slot](const QByteArray &name) {
        const SettingDef &def = m_defs.value(name);
        QByteArray value = this->value(name, slot);
        if (def.kind == SettingKind::SParameter)
            value = value.rightJustified(3, '0');
        return name + ':' + value;
    };
    QList<QByteArray> lines;
    for (int line = 0; line <= lastLine; ++line) {
        QList<QByteArray> items;
        for (const QByteArray &name : m_order) {
            if (m_defs.value(name).dumpLine == line)
                items.append(item(name));
        }
        if (!items.isEmpty())
            lines.append(items.join("  "));
    }
    QList<QByteArray> rest;
    for (const QByteArray &name : m_order) {
        const SettingDef &def = m_defs.value(name);
        if (def.dumpLine < 0 && def.stored)
            rest.append(item(name));
    }
    for (int i = 0; i < rest.size(); i += kItemsPerExtraLine)
        lines.append(rest.mid(i, kItemsPerExtraLine).join("  "));
    return lines;
}

ResponseFormat ModemState::responseFormat() const
{
    ResponseFormat format;
    format.verbose = number("V") != 0;
    format.cr = char(number("S3"));
    format.lf = char(number("S4"));
    format.cmee = number("+CMEE");
    return format;
}

LineSettings ModemState::portSettings() const
{
    const QList<QByteArray> icf = splitArguments(value("+ICF"));
    IcfCode code;
    if (icf.size() == 2)
        code = IcfCode{icf.at(0).toInt(), icf.at(1).toInt()};
    LineSettings line = lineFromIcf(code).value_or(LineSettings{});
    line.baud = number("+IPR");
    return line;
}

void ModemState::beginTextEntry(TextEntry entry, const QByteArray &prompt)
{
    m_textEntry = std::move(entry);
    m_textPrompt = prompt;
}

QByteArray ModemState::feedTextEntry(char c)
{
    if (!m_textEntry)
        return {};
    // The entry may open another one while it runs; keep it alive meanwhile.
    const TextEntry entry = m_textEntry;
    bool done = false;
    const QByteArray reply = entry(*this, c, &done);
    if (done)
        m_textEntry = nullptr;
    return reply;
}

QByteArray ModemState::takeTextPrompt()
{
    QByteArray prompt;
    prompt.swap(m_textPrompt);
    return prompt;
}

bool ModemState::takeRestartRequest()
{
    const bool requested = m_restartRequested;
    m_restartRequested = false;
    return requested;
}

void ModemState::restart()
{
    m_textEntry = nullptr;
    restoreStored();
    for (const auto &hook : m_restartHooks)
        hook(*this);
}

int ModemState::restartMs() const
{
    // Fed directly (no line, no clock that matters) the modem is back at once;
    // the pseudo-terminal server sets a boot time.
    bool ok = false;
    const int ms = variable("RESTART_MS").toInt(&ok);
    return ok && ms >= 0 ? ms : 0;
}

} // namespace telvio::sim
