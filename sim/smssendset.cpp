#include "sim/standardset.h"

#include <memory>

namespace telvio::sim {
namespace {

// Sending a text message: +CMGS="<number>" opens the text prompt, each CR
// brings the next prompt, Ctrl-Z sends and Esc gives up. The network takes
// a moment (the variable CMGS_DELAY_MS) before "+CMGS: <mr>" comes back.
// Sent message n is kept in SENT_<n>_DA and SENT_<n>_TEXT (a CR for each
// line break), SENT_COUNT counts them, so tests can see what went out.
constexpr int kInvalidTextParameter = 305; // 27.005 3.2.5
constexpr int kInvalidPduParameter = 304;
constexpr int kScAddressUnknown = 330;
constexpr int kTextLimit = 160;

QByteArray cms(int error)
{
    return "+CMS ERROR: " + QByteArray::number(error);
}

int delayMs(const ModemState &state)
{
    bool ok = false;
    const int ms = state.variable("CMGS_DELAY_MS").toInt(&ok);
    return ok && ms >= 0 ? ms : 200;
}

QByteArray sendStored(ModemState &state, const QByteArray &number, const QByteArray &text)
{
    const ResponseFormat format = state.responseFormat();
    if (text.size() > kTextLimit)
        return formatInformation(format, {cms(kInvalidTextParameter)});
    // No service centre, no way into the network.
    if (state.value("+CSCA").startsWith("\"\""))
        return formatInformation(format, {cms(kScAddressUnknown)});
    const int count = state.variable("SENT_COUNT").toInt() + 1;
    const QByteArray n = QByteArray::number(count);
    state.setVariable("SENT_COUNT", n);
    state.setVariable("SENT_" + n + "_DA", number);
    state.setVariable("SENT_" + n + "_TEXT", text);
    // The message reference runs from 0 to 255 and wraps.
    const QByteArray mr = QByteArray::number(count % 256);
    state.pauseBeforeReply(delayMs(state));
    return formatInformation(format, {"+CMGS: " + mr}) + formatFinal(format, CommandResult::ok());
}

CommandResult cmgs(ModemState &state, const ParsedCommand &command)
{
    if (command.form == CommandForm::Test)
        return CommandResult::ok();
    if (command.form != CommandForm::Set)
        return CommandResult::error();
    CommandResult failure;
    failure.result = FinalResult::None;
    // In PDU mode the argument is a length, and no PDU is ever right here.
    if (state.number("+CMGF") != 1) {
        failure.info = {cms(kInvalidPduParameter)};
        return failure;
    }
    const QList<QByteArray> args = splitArguments(command.argument);
    if (args.isEmpty() || args.size() > 2 || args.at(0).isEmpty()) {
        failure.info = {cms(kInvalidTextParameter)};
        return failure;
    }
    const QByteArray number = args.at(0);
    state.beginTextEntry(messageTextEntry([number](ModemState &s, const QByteArray &text) {
                             return sendStored(s, number, text);
                         }),
                         QByteArrayLiteral("\r\n> "));
    CommandResult prompt;
    prompt.result = FinalResult::None;
    return prompt;
}

} // namespace

void addSmsSendSet(ModemState &state, CommandTable &table)
{
    Q_UNUSED(state);
    table.add({"+CMGS", cmgs, {}, {}, true});
}

} // namespace telvio::sim
