#include "sim/standardset.h"

namespace telvio::sim {
namespace {

// The digital input/output function of the Pike-3. Entry n (1 to 10) is
// kept in the variables WIOL_<n>_SERVICE, _FLAG, _TIMEOUT, _PRIORITY and
// _DATA1 to _DATA6 as the modem prints them ("SMS", "RETRY_3", "12",
// "YES"); the trigger parameters in WIOP_TMIN, WIOP_TMAX, WIOP_TYPE,
// WIOP_TRIG and WIOP_NORM; remote I/O access in WIOE.
constexpr int kEntries = 10;
const QList<QByteArray> kServices = {"NONE", "DIAL", "SMS", "TEXT", "EMAIL", "OUT", "CMD", "TRANS"};
const QList<QByteArray> kFlags = {"NO", "RETRY", "RETRY_3", "NEXT_OK", "NEXT_ERR"};
const int kDataLimits[6] = {20, 160, 20, 2, 8, 20};

QByteArray entryKey(int n, const QByteArray &field)
{
    return "WIOL_" + QByteArray::number(n) + '_' + field;
}

QByteArray valueOr(const ModemState &state, const QByteArray &name, const QByteArray &fallback)
{
    const QByteArray value = state.variable(name);
    return value.isEmpty() ? fallback : value;
}

bool inRange(const QByteArray &text, int low, int high, int *value)
{
    return parseNumber(text, value) && *value >= low && *value <= high;
}

CommandResult queryEntry(const ModemState &state, int n)
{
    const QByteArray prefix = "IO" + QByteArray::number(n) + '_';
    QList<QByteArray> lines = {
        prefix + "Service=" + valueOr(state, entryKey(n, "SERVICE"), "NONE"),
        prefix + "Flag=" + valueOr(state, entryKey(n, "FLAG"), "NO"),
        prefix + "Timeout=" + valueOr(state, entryKey(n, "TIMEOUT"), "0"),
        prefix + "Priority=" + valueOr(state, entryKey(n, "PRIORITY"), "NO"),
    };
    for (int d = 1; d <= 6; ++d)
        lines << prefix + "Data" + QByteArray::number(d) + '=' + state.variable(entryKey(n, "DATA" + QByteArray::number(d)));
    return CommandResult::ok(lines);
}

// AT*WIOL=<n>,<service>,<flag> <timeout>,<priority>,<data1>,...,<data6>.
// The blank between flag and timeout is dropped as V.250 drops blanks, so
// the third field holds the one-digit flag and the timeout run together.
CommandResult setEntry(ModemState &state, const QByteArray &argument)
{
    const QList<QByteArray> fields = splitArguments(argument);
    if (fields.size() != 10)
        return CommandResult::error();
    int n = 0;
    int service = 0;
    int flag = 0;
    int timeout = 0;
    int priority = 0;
    const QByteArray flagTime = fields.at(2);
    if (!inRange(fields.at(0), 1, kEntries, &n) || !inRange(fields.at(1), 0, int(kServices.size()) - 1, &service)
        || flagTime.size() < 2 || !inRange(flagTime.left(1), 0, int(kFlags.size()) - 1, &flag)
        || !inRange(flagTime.mid(1), 0, 255, &timeout) || !inRange(fields.at(3), 0, 1, &priority))
        return CommandResult::error();
    for (int d = 0; d < 6; ++d) {
        if (fields.at(4 + d).size() > kDataLimits[d])
            return CommandResult::error();
    }
    state.setVariable(entryKey(n, "SERVICE"), kServices.at(service));
    state.setVariable(entryKey(n, "FLAG"), kFlags.at(flag));
    state.setVariable(entryKey(n, "TIMEOUT"), QByteArray::number(timeout));
    state.setVariable(entryKey(n, "PRIORITY"), priority ? "YES" : "NO");
    for (int d = 0; d < 6; ++d)
        state.setVariable(entryKey(n, "DATA" + QByteArray::number(d + 1)), fields.at(4 + d));
    return CommandResult::ok();
}

CommandDef wiolCommand()
{
    CommandDef def;
    def.name = "*WIOL";
    def.models = {Model::Pike3};
    def.handler = [](ModemState &state, const ParsedCommand &command) {
        switch (command.form) {
        case CommandForm::Test:
            return CommandResult::ok({"*WIOL: (1-10),(0-7),(0-4) (0-255),(0-1),20,160,20,2,8,20"});
        case CommandForm::Read:
        case CommandForm::Action: return CommandResult::error();
        case CommandForm::Set: break;
        }
        // "AT*WIOL=3?" asks for entry 3.
        if (command.argument.endsWith('?')) {
            int n = 0;
            if (!inRange(command.argument.chopped(1).trimmed(), 1, kEntries, &n))
                return CommandResult::error();
            return queryEntry(state, n);
        }
        return setEntry(state, command.argument);
    };
    return def;
}

CommandDef wiopCommand()
{
    CommandDef def;
    def.name = "*WIOP";
    def.models = {Model::Pike3};
    def.handler = [](ModemState &state, const ParsedCommand &command) {
        switch (command.form) {
        case CommandForm::Test: return CommandResult::ok({"*WIOP: (1-255),(1-255),(0-4),(0-4),(0,1,3,4)"});
        case CommandForm::Action: return CommandResult::error();
        case CommandForm::Read:
            return CommandResult::ok({"*WIOP: TMIN=" + valueOr(state, "WIOP_TMIN", "5") + ",TMAX="
                                      + valueOr(state, "WIOP_TMAX", "10") + ",TYPE=" + valueOr(state, "WIOP_TYPE", "0")
                                      + ",TRIG=" + valueOr(state, "WIOP_TRIG", "0")
                                      + ",NORM=" + valueOr(state, "WIOP_NORM", "0")});
        case CommandForm::Set: break;
        }
        const QList<QByteArray> fields = splitArguments(command.argument);
        int v[5] = {};
        if (fields.size() != 5 || !inRange(fields.at(0), 1, 255, &v[0]) || !inRange(fields.at(1), 1, 255, &v[1])
            || !inRange(fields.at(2), 0, 4, &v[2]) || !inRange(fields.at(3), 0, 4, &v[3])
            || !inRange(fields.at(4), 0, 4, &v[4]) || v[4] == 2)
            return CommandResult::error();
        const char *names[5] = {"WIOP_TMIN", "WIOP_TMAX", "WIOP_TYPE", "WIOP_TRIG", "WIOP_NORM"};
        for (int i = 0; i < 5; ++i)
            state.setVariable(names[i], QByteArray::number(v[i]));
        return CommandResult::ok();
    };
    return def;
}

CommandDef wioeCommand()
{
    CommandDef def;
    def.name = "*WIOE";
    def.models = {Model::Pike3};
    def.handler = [](ModemState &state, const ParsedCommand &command) {
        switch (command.form) {
        case CommandForm::Test: return CommandResult::ok({"*WIOE: (0-1)"});
        case CommandForm::Action: return CommandResult::error();
        case CommandForm::Read: return CommandResult::ok({"*WIOE=" + valueOr(state, "WIOE", "0")});
        case CommandForm::Set: break;
        }
        int on = 0;
        if (!inRange(command.argument.trimmed(), 0, 1, &on))
            return CommandResult::error();
        state.setVariable("WIOE", QByteArray::number(on));
        return CommandResult::ok();
    };
    return def;
}

} // namespace

void addIoSet(ModemState &state, CommandTable &table)
{
    Q_UNUSED(state);
    table.add(wiolCommand());
    table.add(wiopCommand());
    table.add(wioeCommand());
}

} // namespace telvio::sim
