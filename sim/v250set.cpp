#include "sim/standardset.h"

namespace telvio::sim {
namespace {

enum DumpLine { ResultLine = 0, ControlLine = 1, PortLine = 2 };

SettingDef basic(const QByteArray &name, int high, int factory, int dumpLine)
{
    SettingDef def;
    def.name = name;
    def.kind = SettingKind::Basic;
    def.factory = QByteArray::number(factory);
    def.fields = {SettingField::range(0, high)};
    def.dumpLine = dumpLine;
    return def;
}

SettingDef sParameter(int number, int low, int high, int factory)
{
    SettingDef def;
    def.name = "S" + QByteArray::number(number);
    def.kind = SettingKind::SParameter;
    def.factory = QByteArray::number(factory);
    def.fields = {SettingField::range(low, high)};
    def.testText = "(" + QByteArray::number(low) + "-" + QByteArray::number(high) + ")";
    def.dumpLine = ResultLine;
    return def;
}

QByteArray rateList()
{
    QByteArray text = "(0";
    for (int rate : supportedRates())
        text += "," + QByteArray::number(rate);
    return text + ")";
}

void addSettings(ModemState &state)
{
    state.addSetting(basic("Q", 1, 0, ResultLine));
    state.addSetting(basic("V", 1, 1, ResultLine));
    state.addSetting(sParameter(0, 0, 255, 0));   // rings before auto-answer
    state.addSetting(sParameter(2, 0, 255, 43));  // escape character '+'
    state.addSetting(sParameter(3, 0, 127, 13));  // command line terminator
    state.addSetting(sParameter(4, 0, 127, 10));  // response formatting character
    state.addSetting(sParameter(5, 0, 127, 8));   // command line editing character
    state.addSetting(sParameter(6, 2, 10, 2));    // pause before blind dialling
    state.addSetting(sParameter(7, 1, 255, 60));  // connection completion timeout
    state.addSetting(sParameter(8, 0, 255, 2));   // comma dial modifier time
    state.addSetting(sParameter(10, 1, 254, 14)); // carrier loss to hang-up delay
    state.addSetting(basic("E", 1, 1, ControlLine));
    state.addSetting(basic("&C", 1, 1, ControlLine));
    state.addSetting(basic("&D", 2, 2, ControlLine));
    state.addSetting(basic("&S", 1, 1, ControlLine));

    SettingDef cmee;
    cmee.name = "+CMEE";
    cmee.factory = "1";
    cmee.fields = {SettingField::range(0, 2)};
    cmee.testText = "(0-2)";
    cmee.dumpLine = ControlLine;
    state.addSetting(cmee);

    SettingDef ipr;
    ipr.name = "+IPR";
    ipr.factory = "9600";
    QList<int> rates = {0};
    rates += supportedRates().toList();
    ipr.fields = {SettingField::values(rates)};
    ipr.testText = rateList();
    ipr.portSetting = true;
    ipr.dumpLine = PortLine;
    state.addSetting(ipr);

    SettingDef icf;
    icf.name = "+ICF";
    icf.factory = "3,4";
    icf.fields = {SettingField::range(1, 6), SettingField::range(0, 4, icfNoParity)};
    // The parity code only counts for the formats with a parity bit (2 and 5);
    // the others report "no parity" whatever was given.
    icf.check = [](QList<int> &fields) {
        const bool withParity = fields.at(0) == 2 || fields.at(0) == 5;
        if (!withParity) {
            fields[1] = icfNoParity;
            return true;
        }
        return fields.at(1) != icfNoParity;
    };
    icf.testText = "(1-6),(0-4)";
    icf.portSetting = true;
    icf.dumpLine = PortLine;
    state.addSetting(icf);

    SettingDef ifc;
    ifc.name = "+IFC";
    ifc.factory = "2,2";
    ifc.fields = {SettingField::values({0, 2}), SettingField::values({0, 2}, 2)};
    ifc.testText = "(0,2),(0,2)";
    ifc.portSetting = true;
    ifc.dumpLine = PortLine;
    state.addSetting(ifc);
}

// Z, &F, &W and &V take profile number 0 only: the modem has one stored profile.
bool profileZero(const ParsedCommand &command)
{
    return command.form == CommandForm::Action && (command.argument.isEmpty() || command.argument == "0");
}

CommandDef profileCommand(const QByteArray &name, std::function<CommandResult(ModemState &)> run)
{
    CommandDef def;
    def.name = name;
    def.handler = [run](ModemState &state, const ParsedCommand &command) {
        return profileZero(command) ? run(state) : CommandResult::error();
    };
    return def;
}

} // namespace

void addV250Set(ModemState &state, CommandTable &table)
{
    addSettings(state);
    table.add(profileCommand("Z", [](ModemState &s) {
        s.restoreStored();
        return CommandResult::ok();
    }));
    table.add(profileCommand("&F", [](ModemState &s) {
        s.restoreFactory();
        return CommandResult::ok();
    }));
    table.add(profileCommand("&W", [](ModemState &s) {
        s.storeProfile();
        return CommandResult::ok();
    }));
    table.add(profileCommand("&V", [](ModemState &s) {
        QList<QByteArray> lines = {"ACTIVE PROFILE:"};
        lines += s.profileDump(ProfileSlot::Active);
        lines += QByteArray();
        lines += "STORED PROFILE:";
        lines += s.profileDump(ProfileSlot::Stored);
        return CommandResult::ok(lines);
    }));
}

void installStandardSet(ModemState &state, CommandTable &table)
{
    addV250Set(state, table);
    addIdentitySet(state, table);
    addSimSet(state, table);
    addBasicSet(state, table);
    addSimLockSet(state, table);
    addPhonebookSet(state, table);
    addMessageSet(state, table);
    addNetworkSet(state, table);
    addSmsSendSet(state, table);
    addDiagnosticSet(state, table);
    addIoSet(state, table);
    addCallbackSet(state, table);
    addSignalSet(state, table);
    addGprsSet(state, table);
}

} // namespace telvio::sim
