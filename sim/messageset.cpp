#include "sim/standardset.h"

#include <memory>
#include <optional>

namespace telvio::sim {
namespace {

// The message store, in text mode (+CMGF=1). Message n is kept in the
// variables SMS_<n>_STAT ("STO UNSENT", "REC READ"...), SMS_<n>_DA (the
// number) and SMS_<n>_TEXT (the text as it was typed, a CR for each line
// break), so tests can look into the store and fill it.
constexpr int kSlots = 20;
constexpr int kTextLimit = 255; // what one text entry may hold
constexpr int kInvalidTextParameter = 305; // 27.005 3.2.5
constexpr int kOperationNotAllowed = 302;
constexpr int kInvalidIndex = 321;
constexpr int kMemoryFull = 322;

QByteArray slotKey(int index, const char *field)
{
    return "SMS_" + QByteArray::number(index) + '_' + field;
}

bool used(const ModemState &state, int index)
{
    return !state.variable(slotKey(index, "STAT")).isEmpty();
}

// +CMS ERROR has no final result code of its own; it is framed as
// information text, which in verbose mode is what a final code looks like.
CommandResult cmsFailure(int error)
{
    CommandResult result;
    result.result = FinalResult::None;
    result.info = {"+CMS ERROR: " + QByteArray::number(error)};
    return result;
}

bool textMode(const ModemState &state)
{
    return state.number("+CMGF") == 1;
}

bool parseSlot(const QByteArray &text, int *index)
{
    return parseNumber(text, index) && *index >= 1 && *index <= kSlots;
}

CommandResult cmgr(ModemState &state, const ParsedCommand &command)
{
    if (command.form == CommandForm::Test)
        return CommandResult::ok();
    if (command.form != CommandForm::Set)
        return CommandResult::error();
    if (!textMode(state))
        return cmsFailure(kOperationNotAllowed);
    int index = 0;
    if (!parseSlot(command.argument, &index) || !used(state, index))
        return cmsFailure(kInvalidIndex);
    QByteArray stat = state.variable(slotKey(index, "STAT"));
    if (stat == "REC UNREAD") {
        state.setVariable(slotKey(index, "STAT"), "REC READ");
    }
    // Stored messages show their destination and an empty alpha field.
    return CommandResult::ok({"+CMGR: \"" + stat + "\",\"" + state.variable(slotKey(index, "DA")) + "\",",
                              state.variable(slotKey(index, "TEXT"))});
}

CommandResult cmgd(ModemState &state, const ParsedCommand &command)
{
    if (command.form == CommandForm::Test)
        return CommandResult::ok({"+CMGD: (1-" + QByteArray::number(kSlots) + "),(0-4)"});
    if (command.form != CommandForm::Set)
        return CommandResult::error();
    const QList<QByteArray> args = splitArguments(command.argument);
    int index = 0;
    int flag = 0;
    if (args.isEmpty() || args.size() > 2 || !parseSlot(args.at(0), &index))
        return cmsFailure(kInvalidIndex);
    if (args.size() == 2 && (!parseNumber(args.at(1), &flag) || flag > 4))
        return cmsFailure(kInvalidTextParameter);
    // 27.005 3.5.4: flag 0 deletes the one message; 1 to 4 delete by status,
    // each taking in more (read; and sent; and unsent; all).
    auto deleteSlot = [&state](int n) {
        for (const char *field : {"STAT", "DA", "TEXT"})
            state.setVariable(slotKey(n, field), QByteArray());
    };
    if (flag == 0) {
        deleteSlot(index);
        return CommandResult::ok();
    }
    for (int n = 1; n <= kSlots; ++n) {
        const QByteArray stat = state.variable(slotKey(n, "STAT"));
        const bool hit = (stat == "REC READ") || (flag >= 2 && stat == "STO SENT")
            || (flag >= 3 && stat == "STO UNSENT") || (flag == 4 && !stat.isEmpty());
        if (hit)
            deleteSlot(n);
    }
    return CommandResult::ok();
}

// A +CMGW store: the first free slot takes the message as unsent.
QByteArray storeUnsent(ModemState &state, const QByteArray &number, const QByteArray &text)
{
    const ResponseFormat format = state.responseFormat();
    if (text.size() > kTextLimit)
        return formatInformation(format, cmsFailure(kInvalidTextParameter).info);
    int index = 1;
    while (index <= kSlots && used(state, index))
        ++index;
    if (index > kSlots)
        return formatInformation(format, cmsFailure(kMemoryFull).info);
    state.setVariable(slotKey(index, "STAT"), "STO UNSENT");
    state.setVariable(slotKey(index, "DA"), number);
    state.setVariable(slotKey(index, "TEXT"), text);
    return formatInformation(format, {"+CMGW: " + QByteArray::number(index)})
        + formatFinal(format, CommandResult::ok());
}

CommandResult cmgw(ModemState &state, const ParsedCommand &command)
{
    if (command.form == CommandForm::Test)
        return CommandResult::ok();
    if (command.form != CommandForm::Set)
        return CommandResult::error();
    if (!textMode(state))
        return cmsFailure(kOperationNotAllowed);
    const QList<QByteArray> args = splitArguments(command.argument);
    if (args.isEmpty() || args.size() > 3 || args.at(0).isEmpty())
        return cmsFailure(kInvalidTextParameter);
    const QByteArray number = args.at(0);
    state.beginTextEntry(messageTextEntry([number](ModemState &s, const QByteArray &text) {
                             return storeUnsent(s, number, text);
                         }),
                         QByteArrayLiteral("\r\n> "));
    CommandResult prompt;
    prompt.result = FinalResult::None; // the prompt, not a final result, ends the line
    return prompt;
}

} // namespace

void addMessageSet(ModemState &state, CommandTable &table)
{
    SettingDef cmgf;
    cmgf.name = "+CMGF";
    cmgf.factory = "1";
    cmgf.fields = {SettingField::range(0, 1)};
    cmgf.testText = "(0-1)";
    state.addSetting(cmgf);

    // The service centre address: +CSCA="<number>"[,<type>] (27.005 3.3.1).
    // Without a type, a number in international form ('+') is type 145,
    // any other 129. +CSAS saves it with the other message settings.
    SettingDef csca;
    csca.name = "+CSCA";
    csca.factory = "\"\",129";
    csca.parseText = [](const QByteArray &argument) -> std::optional<QByteArray> {
        const QList<QByteArray> args = splitArguments(argument);
        if (args.isEmpty() || args.size() > 2)
            return std::nullopt;
        const QByteArray number = args.at(0);
        for (const char c : number) {
            if (!((c >= '0' && c <= '9') || c == '+' || c == '*' || c == '#'))
                return std::nullopt;
        }
        QByteArray type = number.startsWith('+') ? "145" : "129";
        if (args.size() == 2) {
            bool ok = false;
            const int t = args.at(1).toInt(&ok);
            if (!ok || t < 128 || t > 255)
                return std::nullopt;
            type = QByteArray::number(t);
        }
        return '"' + number + "\"," + type;
    };
    state.addSetting(csca);
    table.add({"+CSAS",
               [](ModemState &s, const ParsedCommand &command) {
                   if (command.form != CommandForm::Action)
                       return CommandResult::error();
                   s.setAtPowerUp("+CSCA", s.value("+CSCA"));
                   return CommandResult::ok();
               },
               {},
               {},
               true});
    table.add({"+CMGR", cmgr, {}, {}, true});
    table.add({"+CMGW", cmgw, {}, {}, true});
    table.add({"+CMGD", cmgd, {}, {}, true});
}

ModemState::TextEntry messageTextEntry(std::function<QByteArray(ModemState &, const QByteArray &)> onCtrlZ)
{
    auto text = std::make_shared<QByteArray>();
    return [onCtrlZ, text](ModemState &state, char c, bool *done) -> QByteArray {
        if (c == 0x1B) {
            *done = true;
            return formatFinal(state.responseFormat(), CommandResult::ok());
        }
        if (c == 0x1A) {
            *done = true;
            return onCtrlZ(state, *text);
        }
        if (c == '\r') {
            *text += c;
            return QByteArrayLiteral("\r\n> ");
        }
        if (c == '\n')
            return {};
        if (c == state.backspace()) {
            text->chop(1);
            return state.echo() ? QByteArray(1, c) : QByteArray();
        }
        *text += c;
        return state.echo() ? QByteArray(1, c) : QByteArray();
    };
}

} // namespace telvio::sim
