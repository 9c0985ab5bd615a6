#include "sim/commandtable.h"

namespace telvio::sim {

void CommandTable::add(const CommandDef &def)
{
    m_commands.insert(def.name, def);
}

void CommandTable::addCanned(const QByteArray &name, const QMap<CommandForm, QByteArray> &answers,
                             const QList<Firmware> &firmwares)
{
    CommandDef def;
    def.name = name;
    def.firmwares = firmwares;
    def.handler = [answers](ModemState &state, const ParsedCommand &command) {
        auto it = answers.constFind(command.form);
        if (it == answers.constEnd() || (command.form == CommandForm::Action && !command.argument.isEmpty()))
            return CommandResult::error();
        return CommandResult::ok(expandLines(state, it.value()));
    };
    add(def);
}

void CommandTable::remove(const QByteArray &name)
{
    m_commands.remove(name);
}

const CommandDef *CommandTable::find(const QByteArray &name, const ModemState &state) const
{
    auto it = m_commands.constFind(name);
    if (it == m_commands.constEnd())
        return nullptr;
    const CommandDef &def = it.value();
    if (!def.firmwares.isEmpty() && !def.firmwares.contains(state.firmware()))
        return nullptr;
    if (!def.models.isEmpty() && !def.models.contains(state.model()))
        return nullptr;
    return &def;
}

CommandResult CommandTable::execute(ModemState &state, const ParsedCommand &command) const
{
    if (const CommandDef *def = find(command.name, state)) {
        if (def->needsSim) {
            switch (state.sim().card) {
            case SimCard::Absent: return CommandResult::cmeFailure(cme::simNotInserted);
            case SimCard::PinRequired: return CommandResult::cmeFailure(cme::simPinRequired);
            case SimCard::PukRequired: return CommandResult::cmeFailure(cme::simPukRequired);
            case SimCard::Ready: break;
            }
        }
        return def->handler(state, command);
    }
    if (const SettingDef *setting = state.setting(command.name))
        return runSettingCommand(state, *setting, command);
    return CommandResult::error();
}

CommandResult runSettingCommand(ModemState &state, const SettingDef &def, const ParsedCommand &command)
{
    auto setFrom = [&](const QByteArray &argument) {
        const QByteArray before = state.value(def.name);
        if (!state.set(def.name, argument))
            return CommandResult::error();
        if (!def.onSet)
            return CommandResult::ok();
        QList<int> fields;
        if (!def.parseText) {
            for (const QByteArray &text : splitArguments(state.value(def.name)))
                fields.append(text.toInt());
        }
        CommandResult result = def.onSet(state, fields);
        if (!result.succeeded())
            state.putActive(def.name, before);
        return result;
    };
    switch (def.kind) {
    case SettingKind::Basic:
        if (command.form != CommandForm::Action)
            return CommandResult::error();
        return setFrom(command.argument);
    case SettingKind::SParameter:
        switch (command.form) {
        case CommandForm::Read: return CommandResult::ok({state.value(def.name).rightJustified(3, '0')});
        case CommandForm::Set: return setFrom(command.argument);
        case CommandForm::Test:
            return def.testText.isEmpty() ? CommandResult::error() : CommandResult::ok({def.testText});
        case CommandForm::Action: return CommandResult::ok(); // V.250: selects the parameter
        }
        break;
    case SettingKind::Extended:
        switch (command.form) {
        case CommandForm::Read: return CommandResult::ok({def.name + ": " + state.value(def.name)});
        case CommandForm::Set: return setFrom(command.argument);
        case CommandForm::Test:
            return def.testText.isEmpty() ? CommandResult::ok()
                                           : CommandResult::ok({def.name + ": " + def.testText});
        case CommandForm::Action: return CommandResult::error();
        }
        break;
    }
    return CommandResult::error();
}

QList<QByteArray> expandLines(const ModemState &state, const QByteArray &text)
{
    if (text.isEmpty())
        return {};
    return state.expand(text).split('\n');
}

} // namespace telvio::sim
