#include "sim/standardset.h"

namespace telvio::sim {
namespace {

CommandResult readPinState(const SimCardState &sim)
{
    switch (sim.card) {
    case SimCard::Absent: return CommandResult::cmeFailure(cme::simNotInserted);
    case SimCard::Ready: return CommandResult::ok({"+CPIN: READY"});
    case SimCard::PinRequired: return CommandResult::ok({"+CPIN: SIM PIN"});
    case SimCard::PukRequired: return CommandResult::ok({"+CPIN: SIM PUK"});
    }
    return CommandResult::error();
}

// A wrong PIN costs one of three attempts, after which the card wants its PUK;
// a PUK with a new PIN unblocks it.
CommandResult enterCode(SimCardState &sim, const QList<QByteArray> &args)
{
    switch (sim.card) {
    case SimCard::Absent: return CommandResult::cmeFailure(cme::simNotInserted);
    case SimCard::Ready: return CommandResult::cmeFailure(cme::operationNotAllowed);
    case SimCard::PinRequired:
        if (args.size() != 1)
            return CommandResult::cmeFailure(cme::incorrectParameters);
        if (args.at(0) == sim.pin) {
            sim.card = SimCard::Ready;
            sim.pinAttemptsLeft = 3;
            return CommandResult::ok();
        }
        if (--sim.pinAttemptsLeft <= 0)
            sim.card = SimCard::PukRequired;
        return CommandResult::cmeFailure(cme::incorrectPassword);
    case SimCard::PukRequired:
        if (args.size() != 2 || args.at(1).size() < 4 || args.at(1).size() > 8)
            return CommandResult::cmeFailure(cme::incorrectParameters);
        if (sim.pukAttemptsLeft <= 0)
            return CommandResult::cmeFailure(cme::simFailure);
        if (args.at(0) == sim.puk) {
            sim.pin = args.at(1);
            sim.card = SimCard::Ready;
            sim.pinAttemptsLeft = 3;
            sim.pukAttemptsLeft = 10;
            return CommandResult::ok();
        }
        --sim.pukAttemptsLeft;
        return CommandResult::cmeFailure(cme::incorrectPassword);
    }
    return CommandResult::error();
}

CommandResult cpin(ModemState &state, const ParsedCommand &command)
{
    switch (command.form) {
    case CommandForm::Read: return readPinState(state.sim());
    case CommandForm::Test: return CommandResult::ok();
    case CommandForm::Set: return enterCode(state.sim(), splitArguments(command.argument));
    case CommandForm::Action: break;
    }
    return CommandResult::error();
}

} // namespace

void addSimSet(ModemState &, CommandTable &table)
{
    table.add({"+CPIN", cpin, {}, {}, false});
}

} // namespace telvio::sim
