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

// The TCP firmware's settings dump: what the *W settings of the GPRS set
// hold, two blanks between settings, the server's address unquoted.
void addTcpStatusCommands(ModemState &, CommandTable &table)
{
    table.add({"*WTCPV",
               [](ModemState &s, const ParsedCommand &command) {
                   if (command.form != CommandForm::Action || !command.argument.isEmpty())
                       return CommandResult::error();
                   QByteArray server = s.value("*WTCPSERV");
                   server.replace('"', QByteArray());
                   return CommandResult::ok({"*WTCPV: APN:" + s.value("*WGPRSAPN") + "  USER:" + s.value("*WGPRSUN")
                                                 + "  PASSWORD:" + s.value("*WGPRSPW"),
                                             "IP:" + server + "  PORT:" + s.value("*WTCPPORT")
                                                 + "  DELAY:" + s.value("*WTCPTXDELAY")});
               },
               {Firmware::Maker},
               {},
               false});
}

void addDiagnosticSet(ModemState &state, CommandTable &table)
{
    table.add({"+CREG", registration("+CREG", "CREG", false), {}, {}, false});
    table.add({"+CGREG", registration("+CGREG", "CGREG", true), {}, {}, false});
    addTcpStatusCommands(state, table);
}

} // namespace telvio::sim
