#include "sim/standardset.h"

namespace telvio::sim {
namespace {

// Network registration (27.007 7.2, 10.1.20): +CREG=<n> and +CGREG=<n> set
// what unsolicited codes would report (kept, not sent here); the read form
// answers "<n>,<stat>". The state is the variable CREG_STAT (CGREG_STAT),
// or while unset: registered at home (1) with a ready SIM, otherwise not
// registered and not searching (0); GPRS also needs GPRS_COVERAGE.
CommandHandler registration(const QByteArray &name, const QByteArray &prefix, bool gprs)
{
    return [name, prefix, gprs](ModemState &state, const ParsedCommand &command) {
        const QByteArray modeKey = prefix + "_N";
        switch (command.form) {
        case CommandForm::Test: return CommandResult::ok({name + ": (0-2)"});
        case CommandForm::Action: return CommandResult::error();
        case CommandForm::Set: {
            int mode = 0;
            const QList<QByteArray> args = splitArguments(command.argument);
            if (args.size() != 1 || !parseNumber(args.at(0), &mode) || mode > 2)
                return CommandResult::error();
            state.setVariable(modeKey, QByteArray::number(mode));
            return CommandResult::ok();
        }
        case CommandForm::Read: break;
        }
        QByteArray stat = state.variable(prefix + "_STAT");
        if (stat.isEmpty()) {
            const bool ready = state.sim().card == SimCard::Ready && state.number("+CFUN") != 0
                && (!gprs || state.variable("GPRS_COVERAGE") != "0");
            stat = ready ? "1" : "0";
        }
        QByteArray mode = state.variable(modeKey);
        if (mode.isEmpty())
            mode = "0";
        return CommandResult::ok({name + ": " + mode + "," + stat});
    };
}

} // namespace

// The TCP firmware's status and settings dumps. *WIPSTATUS names the PDP
// address while attached (PDP_ADDRESS); *WTCPV lists the TCP settings,
// blank pairs between them, from the variables WTCP_APN, WTCP_USER,
// WTCP_PASSWORD, WTCP_IP, WTCP_PORT and WTCP_DELAY. Kept apart so the GPRS
// page's own variables can take their place.
void addTcpStatusCommands(ModemState &state, CommandTable &table)
{
    const QList<QPair<QByteArray, QByteArray>> defaults = {
        {"PDP_ADDRESS", "10.64.12.7"}, {"WTCP_APN", "internet.kestrava"}, {"WTCP_USER", ""},
        {"WTCP_PASSWORD", ""},         {"WTCP_IP", "0.0.0.0"},             {"WTCP_PORT", "2000"},
        {"WTCP_DELAY", "30"},
    };
    for (const auto &d : defaults)
        state.setVariable(d.first, d.second);
    table.add({"*WIPSTATUS",
               [](ModemState &s, const ParsedCommand &command) {
                   if (command.form != CommandForm::Action)
                       return CommandResult::error();
                   if (s.number("+CGATT") != 1)
                       return CommandResult::ok({"*WIPSTATUS: 0,\"0.0.0.0\""});
                   return CommandResult::ok(expandLines(s, "*WIPSTATUS: 1,\"${PDP_ADDRESS}\""));
               },
               {Firmware::Maker},
               {},
               false});
    table.addCanned("*WTCPV",
                    {{CommandForm::Action, "*WTCPV: APN:\"${WTCP_APN}\"  USER:\"${WTCP_USER}\"  "
                                           "PASSWORD:\"${WTCP_PASSWORD}\"\n"
                                           "IP:${WTCP_IP}  PORT:${WTCP_PORT}  DELAY:${WTCP_DELAY}"}},
                    {Firmware::Maker});
}

void addDiagnosticSet(ModemState &state, CommandTable &table)
{
    table.add({"+CREG", registration("+CREG", "CREG", false), {}, {}, false});
    table.add({"+CGREG", registration("+CGREG", "CGREG", true), {}, {}, false});
    addTcpStatusCommands(state, table);
}

} // namespace telvio::sim
