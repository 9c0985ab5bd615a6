#include "sim/standardset.h"

#include <QElapsedTimer>

#include <memory>

namespace telvio::sim {
namespace {

bool isPike(const ModemState &state)
{
    return state.model() == Model::Pike2 || state.model() == Model::Pike3;
}

SettingDef basicSetting(const QByteArray &name, const SettingField &field, const QByteArray &factory)
{
    SettingDef def;
    def.name = name;
    def.kind = SettingKind::Basic;
    def.factory = factory;
    def.fields = {field};
    return def;
}

// %C, \N and %D are basic commands with a number, whose read form ("AT%C?")
// answers the bare value, as S-parameters do.
CommandDef bareReadable(const QByteArray &name)
{
    CommandDef def;
    def.name = name;
    def.handler = [name](ModemState &state, const ParsedCommand &command) {
        const SettingDef *setting = state.setting(name);
        if (command.form == CommandForm::Read)
            return CommandResult::ok({state.value(name)});
        return runSettingCommand(state, *setting, command);
    };
    return def;
}

void addDataSettings(ModemState &state, CommandTable &table)
{
    state.addSetting(basicSetting("%C", SettingField::values({0, 2}), "0"));     // data compression
    state.addSetting(basicSetting("\\N", SettingField::values({0, 2, 3, 4, 5}), "0")); // error correction
    state.addSetting(basicSetting("%D", SettingField::range(0, 2), "0"));        // dial or SMS on DTR
    for (const char *name : {"%C", "\\N", "%D"})
        table.add(bareReadable(name));

    // 27.007 6.7: speed, name (asynchronous modem only here), connection element.
    SettingDef cbst;
    cbst.name = "+CBST";
    cbst.factory = "0,0,1";
    cbst.fields = {SettingField::values({0, 1, 2, 3, 4, 5, 6, 7, 12, 14, 65, 66, 68, 70, 71, 75}),
                   SettingField::values({0}, 0), SettingField::range(0, 3, 1)};
    cbst.testText = "(0-7,12,14,65,66,68,70,71,75),(0),(0-3)";
    state.addSetting(cbst);

    if (isPike(state)) {
        // The status LED mode is kept by the modem itself, not in the profile.
        SettingDef led;
        led.name = "*WSTATLED";
        led.factory = "0";
        led.fields = {SettingField::range(0, 2)};
        led.testText = "(0-2)";
        led.stored = false;
        state.addSetting(led);
    }
}

// "hhh:mm": hours 0 to 999, minutes 0 to 59.
bool parseDelay(const QByteArray &text, int *minutes)
{
    const int colon = text.indexOf(':');
    if (text.size() != 6 || colon != 3)
        return false;
    int hours = 0;
    int mins = 0;
    if (!parseNumber(text.left(3), &hours) || !parseNumber(text.mid(4), &mins) || mins > 59)
        return false;
    *minutes = hours * 60 + mins;
    return true;
}

QByteArray formatDelay(int minutes)
{
    return QByteArray::number(minutes / 60).rightJustified(3, '0') + ':'
        + QByteArray::number(minutes % 60).rightJustified(2, '0');
}

// The periodic reset: +WRST=<mode>[,"hhh:mm"]; the read form reports the
// delay and the time left until the next reset, counted from the last set.
CommandDef wrstCommand()
{
    auto since = std::make_shared<QElapsedTimer>();
    since->start();
    CommandDef def;
    def.name = "+WRST";
    def.handler = [since](ModemState &state, const ParsedCommand &command) {
        switch (command.form) {
        case CommandForm::Test: return CommandResult::ok({"+WRST: (0-1),(000:00-999:59)"});
        case CommandForm::Action: return CommandResult::error();
        case CommandForm::Read: {
            int delay = 0;
            parseDelay(state.variable("WRST_DELAY"), &delay);
            const bool on = state.variable("WRST_MODE") == "1";
            const int left = on ? qMax(0, delay - int(since->elapsed() / 60000)) : 0;
            return CommandResult::ok({"+WRST: " + state.variable("WRST_MODE") + ",\"" + formatDelay(delay) + "\",\""
                                      + formatDelay(left) + '"'});
        }
        case CommandForm::Set: break;
        }
        const QList<QByteArray> args = splitArguments(command.argument);
        int mode = -1;
        if (args.isEmpty() || args.size() > 2 || !parseNumber(args.at(0), &mode) || mode > 1)
            return CommandResult::error();
        const QByteArray delayText = args.value(1);
        int delay = 0;
        if (!delayText.isEmpty() && !parseDelay(delayText, &delay))
            return CommandResult::error();
        if (mode == 1 && (delayText.isEmpty() || delay == 0))
            return CommandResult::error();
        state.setVariable("WRST_MODE", QByteArray::number(mode));
        if (!delayText.isEmpty())
            state.setVariable("WRST_DELAY", delayText);
        since->restart();
        return CommandResult::ok();
    };
    return def;
}

bool pinCode(const QByteArray &text)
{
    int unused = 0;
    return text.size() >= 4 && text.size() <= 8 && parseNumber(text, &unused);
}

// Auto PIN: the modem enters the stored PIN by itself when it starts.
CommandDef wpinCommand()
{
    CommandDef def;
    def.name = "*WPIN";
    def.models = {Model::Pike2, Model::Pike3};
    def.handler = [](ModemState &state, const ParsedCommand &command) {
        switch (command.form) {
        case CommandForm::Test: return CommandResult::ok({"*WPIN: (0-1)"});
        case CommandForm::Action: return CommandResult::error();
        case CommandForm::Read:
            if (state.variable("WPIN_MODE") == "1")
                return CommandResult::ok({"*WPIN: 1,\"" + state.variable("WPIN_CODE") + '"'});
            return CommandResult::ok({"*WPIN: 0"});
        case CommandForm::Set: break;
        }
        const QList<QByteArray> args = splitArguments(command.argument);
        int mode = -1;
        if (args.isEmpty() || args.size() > 2 || !parseNumber(args.at(0), &mode) || mode > 1)
            return CommandResult::error();
        if (mode == 1) {
            if (args.size() != 2 || !pinCode(args.at(1)))
                return CommandResult::cmeFailure(cme::incorrectParameters);
            state.setVariable("WPIN_CODE", args.at(1));
        }
        state.setVariable("WPIN_MODE", QByteArray::number(mode));
        return CommandResult::ok();
    };
    return def;
}

// The functionality level (27.007 8.2): +CFUN=1 restarts the modem after its
// OK, as a modem already at full functionality does; +CFUN=0 switches the
// radio off, which drops a GPRS attach. Not part of the profile: a restart
// comes back at full functionality.
SettingDef cfunSetting()
{
    SettingDef def;
    def.name = "+CFUN";
    def.factory = "1";
    def.fields = {SettingField::range(0, 1)};
    def.testText = "(0-1)";
    def.stored = false;
    def.onSet = [](ModemState &state, const QList<int> &fields) {
        if (fields.value(0) == 1)
            state.requestRestart();
        else
            state.set("+CGATT", "0");
        return CommandResult::ok();
    };
    return def;
}

// +WSTR=1: the SIM's initialisation (0 not started, 1 running, 2 finished);
// +WSTR=2: the network (0 not started, 1 available).
CommandResult wstr(ModemState &state, const ParsedCommand &command)
{
    if (command.form == CommandForm::Test)
        return CommandResult::ok({"+WSTR: (1-2)"});
    if (command.form != CommandForm::Set)
        return CommandResult::error();
    int status = 0;
    if (!parseNumber(command.argument, &status) || status < 1 || status > 2)
        return CommandResult::error();
    const bool ready = state.sim().card == SimCard::Ready;
    if (status == 1)
        return CommandResult::ok({QByteArray("+WSTR: 1,") + (ready ? '2' : '0')});
    return CommandResult::ok({QByteArray("+WSTR: 2,") + (ready ? '1' : '0')});
}

// After a restart the SIM asks for its PIN again when the lock is on, unless
// the Auto PIN function holds the right code.
void relockSim(ModemState &state)
{
    SimCardState &sim = state.sim();
    if (sim.card != SimCard::Ready || !sim.lockOn)
        return;
    if (state.variable("WPIN_MODE") == "1" && state.variable("WPIN_CODE") == sim.pin)
        return;
    sim.card = SimCard::PinRequired;
}

} // namespace

void addBasicSet(ModemState &state, CommandTable &table)
{
    addDataSettings(state, table);
    state.setVariable("WRST_MODE", "0");
    state.setVariable("WRST_DELAY", "024:00");
    state.setVariable("WPIN_MODE", "0");
    table.add(wrstCommand());
    table.add(wpinCommand());
    state.addSetting(cfunSetting());
    table.add({"+WSTR", wstr, {}, {}, false});
    state.addRestartHook(relockSim);
    state.addRestartHook([](ModemState &s) { s.set("+CFUN", "1"); });
}

} // namespace telvio::sim
