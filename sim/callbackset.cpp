#include "sim/standardset.h"

namespace telvio::sim {
namespace {

// Secure callback of the Pike-3: the mode in the variable WCB, the delay
// in WCBTIME, entry k's number and password in WCBTAB_<k> and WCBPWD_<k>.
// The modem prints its values right after the colon, with no blank.
constexpr int kEntries = 3;
constexpr int kTextLimit = 20;

bool inRange(const QByteArray &text, int low, int high, int *value)
{
    return parseNumber(text, value) && *value >= low && *value <= high;
}

CommandDef numberCommand(const QByteArray &name, const QByteArray &variable, int high)
{
    CommandDef def;
    def.name = name;
    def.models = {Model::Pike3};
    def.handler = [name, variable, high](ModemState &state, const ParsedCommand &command) {
        switch (command.form) {
        case CommandForm::Test: return CommandResult::ok({name + ": (0-" + QByteArray::number(high) + ')'});
        case CommandForm::Action: return CommandResult::error();
        case CommandForm::Read: {
            const QByteArray value = state.variable(variable);
            return CommandResult::ok({name + ':' + (value.isEmpty() ? QByteArray("0") : value)});
        }
        case CommandForm::Set: break;
        }
        int value = 0;
        if (!inRange(command.argument.trimmed(), 0, high, &value))
            return CommandResult::error();
        state.setVariable(variable, QByteArray::number(value));
        return CommandResult::ok();
    };
    return def;
}

// "*WCBTAB?" lists the three entries; "*WCBTAB2=<text>" sets entry 2.
void addTable(CommandTable &table, const QByteArray &name)
{
    const QByteArray variable = name.mid(1) + '_';
    CommandDef list;
    list.name = name;
    list.models = {Model::Pike3};
    list.handler = [name, variable](ModemState &state, const ParsedCommand &command) {
        if (command.form != CommandForm::Read)
            return CommandResult::error();
        QList<QByteArray> lines;
        for (int k = 1; k <= kEntries; ++k)
            lines << name + QByteArray::number(k) + ':' + state.variable(variable + QByteArray::number(k));
        return CommandResult::ok(lines);
    };
    table.add(list);
    for (int k = 1; k <= kEntries; ++k) {
        CommandDef entry;
        entry.name = name + QByteArray::number(k);
        entry.models = {Model::Pike3};
        const QByteArray key = variable + QByteArray::number(k);
        entry.handler = [key](ModemState &state, const ParsedCommand &command) {
            if (command.form != CommandForm::Set)
                return CommandResult::error();
            const QList<QByteArray> fields = splitArguments(command.argument);
            if (fields.size() > 1 || fields.value(0).size() > kTextLimit)
                return CommandResult::error();
            state.setVariable(key, fields.value(0));
            return CommandResult::ok();
        };
        table.add(entry);
    }
}

} // namespace

void addCallbackSet(ModemState &state, CommandTable &table)
{
    Q_UNUSED(state);
    table.add(numberCommand("*WCB", "WCB", 6));
    table.add(numberCommand("*WCBTIME", "WCBTIME", 255));
    addTable(table, "*WCBTAB");
    addTable(table, "*WCBPWD");
}

} // namespace telvio::sim
