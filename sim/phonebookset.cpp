#include "sim/standardset.h"

namespace telvio::sim {
namespace {

// The SIM phonebook ("SM"). Entry n is kept in the variable CPBR_<n> as the
// fields its +CPBR line shows after the index: "number",type,"text".
constexpr int kEntries = 250;
constexpr int kNumberLength = 20;
constexpr int kTextLength = 14;
constexpr int kTextTooLong = 24;   // 27.007 9.2.1
constexpr int kDialStringTooLong = 26;
constexpr int kInvalidCharacters = 27;

QByteArray entryKey(int index)
{
    return "CPBR_" + QByteArray::number(index);
}

int usedEntries(const ModemState &state)
{
    int used = 0;
    for (int i = 1; i <= kEntries; ++i)
        used += state.variable(entryKey(i)).isEmpty() ? 0 : 1;
    return used;
}

bool dialCharacters(const QByteArray &number)
{
    for (int i = 0; i < number.size(); ++i) {
        const char c = number.at(i);
        const bool ok = (c >= '0' && c <= '9') || c == '*' || c == '#' || (c == '+' && i == 0) || c == 'p'
            || c == 'P' || c == 'w' || c == 'W';
        if (!ok)
            return false;
    }
    return true;
}

bool parseIndex(const QByteArray &text, int *index)
{
    return parseNumber(text, index) && *index >= 1 && *index <= kEntries;
}

CommandResult cpbs(ModemState &state, const ParsedCommand &command)
{
    switch (command.form) {
    case CommandForm::Read:
        return CommandResult::ok({"+CPBS: \"SM\"," + QByteArray::number(usedEntries(state)) + ','
                                  + QByteArray::number(kEntries)});
    case CommandForm::Test: return CommandResult::ok({"+CPBS: (\"SM\")"});
    case CommandForm::Action: return CommandResult::error();
    case CommandForm::Set: break;
    }
    const QList<QByteArray> args = splitArguments(command.argument);
    if (args.size() != 1)
        return CommandResult::cmeFailure(cme::incorrectParameters);
    if (args.at(0).toUpper() != "SM")
        return CommandResult::cmeFailure(cme::operationNotSupported);
    return CommandResult::ok();
}

// An empty location in the range lists nothing (27.007 8.12).
CommandResult cpbr(ModemState &state, const ParsedCommand &command)
{
    switch (command.form) {
    case CommandForm::Test:
        return CommandResult::ok({"+CPBR: (1-" + QByteArray::number(kEntries) + ")," + QByteArray::number(kNumberLength)
                                  + ',' + QByteArray::number(kTextLength)});
    case CommandForm::Read:
    case CommandForm::Action: return CommandResult::error();
    case CommandForm::Set: break;
    }
    const QList<QByteArray> args = splitArguments(command.argument);
    int first = 0;
    int last = 0;
    if (args.isEmpty() || args.size() > 2 || !parseIndex(args.at(0), &first))
        return CommandResult::cmeFailure(cme::invalidIndex);
    last = first;
    if (args.size() == 2 && (!parseIndex(args.at(1), &last) || last < first))
        return CommandResult::cmeFailure(cme::invalidIndex);
    QList<QByteArray> lines;
    for (int i = first; i <= last; ++i) {
        const QByteArray entry = state.variable(entryKey(i));
        if (!entry.isEmpty())
            lines.append("+CPBR: " + QByteArray::number(i) + ',' + entry);
    }
    return CommandResult::ok(lines);
}

CommandResult cpbw(ModemState &state, const ParsedCommand &command)
{
    switch (command.form) {
    case CommandForm::Test:
        return CommandResult::ok({"+CPBW: (1-" + QByteArray::number(kEntries) + ")," + QByteArray::number(kNumberLength)
                                  + ",(129,145)," + QByteArray::number(kTextLength)});
    case CommandForm::Read:
    case CommandForm::Action: return CommandResult::error();
    case CommandForm::Set: break;
    }
    const QList<QByteArray> args = splitArguments(command.argument);
    int index = 0;
    if (args.isEmpty() || args.size() > 4 || !parseIndex(args.at(0), &index))
        return CommandResult::cmeFailure(cme::invalidIndex);
    if (args.size() == 1) {
        state.setVariable(entryKey(index), QByteArray());
        return CommandResult::ok();
    }
    const QByteArray number = args.at(1);
    if (number.size() > kNumberLength)
        return CommandResult::cmeFailure(kDialStringTooLong);
    if (!dialCharacters(number))
        return CommandResult::cmeFailure(kInvalidCharacters);
    int type = number.startsWith('+') ? 145 : 129;
    if (args.size() >= 3 && !args.at(2).isEmpty() && (!parseNumber(args.at(2), &type) || (type != 129 && type != 145)))
        return CommandResult::cmeFailure(cme::incorrectParameters);
    const QByteArray text = args.value(3);
    if (text.size() > kTextLength)
        return CommandResult::cmeFailure(kTextTooLong);
    state.setVariable(entryKey(index), '"' + number + "\"," + QByteArray::number(type) + ",\"" + text + '"');
    return CommandResult::ok();
}

} // namespace

void addPhonebookSet(ModemState &, CommandTable &table)
{
    table.add({"+CPBS", cpbs, {}, {}, true});
    table.add({"+CPBR", cpbr, {}, {}, true});
    table.add({"+CPBW", cpbw, {}, {}, true});
}

} // namespace telvio::sim
