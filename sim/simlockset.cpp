#include "sim/standardset.h"

namespace telvio::sim {
namespace {

bool pinText(const QByteArray &text)
{
    int unused = 0;
    return text.size() >= 4 && text.size() <= 8 && parseNumber(text, &unused);
}

// A wrong PIN costs one of the attempts, shared with +CPIN; the last one
// blocks the card until its PUK is given.
CommandResult checkPin(SimCardState &sim, const QByteArray &code)
{
    if (code == sim.pin) {
        sim.pinAttemptsLeft = 3;
        return CommandResult::ok();
    }
    if (--sim.pinAttemptsLeft <= 0)
        sim.card = SimCard::PukRequired;
    return CommandResult::cmeFailure(cme::incorrectPassword);
}

// Facility lock (27.007 7.4) for the SIM's PIN ("SC"). The read form, which
// the standard leaves open, lists every facility with its status.
CommandResult clck(ModemState &state, const ParsedCommand &command)
{
    SimCardState &sim = state.sim();
    const QByteArray sc = sim.lockOn ? "1" : "0";
    switch (command.form) {
    case CommandForm::Read:
        return CommandResult::ok({"+CLCK: (\"PS\",0),(\"SC\"," + sc + "),(\"FD\",0),(\"PN\",0),(\"PU\",0),(\"PP\",0),"
                                  "(\"PC\",0)"});
    case CommandForm::Test: return CommandResult::ok({"+CLCK: (\"PS\",\"SC\",\"FD\",\"PN\",\"PU\",\"PP\",\"PC\")"});
    case CommandForm::Action: return CommandResult::error();
    case CommandForm::Set: break;
    }
    const QList<QByteArray> args = splitArguments(command.argument);
    int mode = -1;
    if (args.size() < 2 || !parseNumber(args.at(1), &mode) || mode > 2)
        return CommandResult::cmeFailure(cme::incorrectParameters);
    if (args.at(0).toUpper() != "SC")
        return CommandResult::cmeFailure(cme::operationNotSupported);
    if (mode == 2)
        return CommandResult::ok({"+CLCK: " + sc});
    if (args.size() < 3 || args.at(2).isEmpty())
        return CommandResult::cmeFailure(cme::incorrectParameters);
    CommandResult result = checkPin(sim, args.at(2));
    if (result.succeeded())
        sim.lockOn = mode == 1;
    return result;
}

// Change password (27.007 7.5) of the SIM's PIN; a card whose lock is off
// does not let its PIN be changed.
CommandResult cpwd(ModemState &state, const ParsedCommand &command)
{
    SimCardState &sim = state.sim();
    switch (command.form) {
    case CommandForm::Test: return CommandResult::ok({"+CPWD: (\"SC\",8),(\"P2\",8)"});
    case CommandForm::Read:
    case CommandForm::Action: return CommandResult::error();
    case CommandForm::Set: break;
    }
    const QList<QByteArray> args = splitArguments(command.argument);
    if (args.size() != 3 || !pinText(args.at(2)))
        return CommandResult::cmeFailure(cme::incorrectParameters);
    if (args.at(0).toUpper() != "SC")
        return CommandResult::cmeFailure(cme::operationNotSupported);
    if (!sim.lockOn)
        return CommandResult::cmeFailure(cme::operationNotAllowed);
    CommandResult result = checkPin(sim, args.at(1));
    if (result.succeeded())
        sim.pin = args.at(2);
    return result;
}

} // namespace

void addSimLockSet(ModemState &state, CommandTable &table)
{
    // A card that asks for its PIN at power-up has its lock on.
    state.sim().lockOn = state.sim().card == SimCard::PinRequired || state.sim().card == SimCard::PukRequired;
    table.add({"+CLCK", clck, {}, {}, true});
    table.add({"+CPWD", cpwd, {}, {}, true});
}

} // namespace telvio::sim
