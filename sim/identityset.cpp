#include "sim/standardset.h"

namespace telvio::sim {
namespace {

struct FirmwareIdentity {
    QByteArray id;       // the firmware id ATI9 names first; 6200 marks the maker firmware
    QByteArray version;
    QByteArray date;
};

FirmwareIdentity identityOf(Firmware firmware, const QByteArray &makerVersion)
{
    switch (firmware) {
    case Firmware::Plain: return {"4100", "2.21", "2019-03-07"};
    case Firmware::Maker: return {"6200", makerVersion, "2024-05-14"};
    case Firmware::IpStack: return {"4300", "2.30", "2021-11-02"};
    }
    return {};
}

void setIdentityVariables(ModemState &state)
{
    const FirmwareIdentity id = identityOf(state.firmware(), state.variable("WOPEN_VERSION"));
    const QByteArray model = state.variable("MODEL");
    state.setVariable("REVISION", "KR" + id.version + " " + model + " " + id.date);
    state.setVariable("FIRMWARE_ID", id.id);
    // One line per software component, the firmware first.
    state.setVariable("I9", "\"Kestrava\",\"" + id.id + "\",\"v" + id.version + "\",\"" + model + "\"\n"
                                + "\"BOOT\",\"v1.04\",\"" + id.date + "\"");
    state.setVariable("WOPEN", "1"); // the embedded application runs
}

CommandResult identify(ModemState &state, const ParsedCommand &command)
{
    if (command.form != CommandForm::Action)
        return CommandResult::error();
    const QByteArray &n = command.argument;
    if (n.isEmpty() || n == "0")
        return CommandResult::ok(expandLines(state, "${MANUFACTURER} ${MODEL}"));
    if (n == "3")
        return CommandResult::ok(expandLines(state, "${REVISION}"));
    if (n == "9")
        return CommandResult::ok(expandLines(state, "${I9}"));
    return CommandResult::error();
}

// +WOPEN=0/1 stops or starts the embedded application, +WOPEN=2 names the versions of
// its AT interface and operating system.
CommandResult wopen(ModemState &state, const ParsedCommand &command)
{
    switch (command.form) {
    case CommandForm::Read: return CommandResult::ok({"+WOPEN: " + state.variable("WOPEN")});
    case CommandForm::Test: return CommandResult::ok({"+WOPEN: (0-2)"});
    case CommandForm::Action: return CommandResult::error();
    case CommandForm::Set: break;
    }
    const QList<QByteArray> args = splitArguments(command.argument);
    int mode = -1;
    if (args.size() != 1 || !parseNumber(args.at(0), &mode) || mode > 2)
        return CommandResult::error();
    if (mode == 2) {
        return CommandResult::ok(
            expandLines(state, "+WOPEN: 2,\"AT v${WOPEN_VERSION}\",\"OS v${WOPEN_VERSION}\""));
    }
    state.setVariable("WOPEN", QByteArray::number(mode));
    // Starting or stopping the application restarts the modem.
    state.requestRestart();
    return CommandResult::ok();
}

} // namespace

void addIdentitySet(ModemState &state, CommandTable &table)
{
    setIdentityVariables(state);
    table.add({"I", identify, {}, {}, false});
    const QList<QPair<QByteArray, QByteArray>> canned = {
        {"+CGSN", "${IMEI}"},     {"+GSN", "${IMEI}"},
        {"+CGMI", "${MANUFACTURER}"}, {"+GMI", "${MANUFACTURER}"},
        {"+CGMM", "${MODEL}"},    {"+GMM", "${MODEL}"},
        {"+CGMR", "${REVISION}"}, {"+GMR", "${REVISION}"},
    };
    for (const auto &entry : canned)
        table.addCanned(entry.first, {{CommandForm::Action, entry.second}, {CommandForm::Test, {}}});
    table.add({"+WOPEN", wopen, {Firmware::Maker}, {}, false});
    table.addCanned("#VVERSION", {{CommandForm::Action, "#VVERSION: \"eDsoft TCP/IP 2.10\""}},
                    {Firmware::IpStack});
}

} // namespace telvio::sim
