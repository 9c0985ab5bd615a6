#include "sim/standardset.h"

namespace telvio::sim {
namespace {

// GPRS attach (27.007 10.1.9). Attaching needs a SIM that is ready and a
// network: the radio on (+CFUN=1) and the variable GPRS_COVERAGE not "0".
// Asking for the state the modem is already in just answers OK; detaching
// always works. Not part of the profile.
SettingDef cgattSetting()
{
    SettingDef def;
    def.name = "+CGATT";
    def.factory = "0";
    def.fields = {SettingField::range(0, 1)};
    def.testText = "(0-1)";
    def.stored = false;
    def.onSet = [](ModemState &state, const QList<int> &fields) {
        if (fields.value(0) == 0)
            return CommandResult::ok();
        switch (state.sim().card) {
        case SimCard::Absent: return CommandResult::cmeFailure(cme::simNotInserted);
        case SimCard::PinRequired: return CommandResult::cmeFailure(cme::simPinRequired);
        case SimCard::PukRequired: return CommandResult::cmeFailure(cme::simPukRequired);
        case SimCard::Ready: break;
        }
        if (state.number("+CFUN") == 0 || state.variable("GPRS_COVERAGE") == "0")
            return CommandResult::cmeFailure(cme::noNetworkService);
        return CommandResult::ok();
    };
    return def;
}

} // namespace

void addNetworkSet(ModemState &state, CommandTable &table)
{
    // 27.007 8.5: <rssi> 0..31 or 99 (not known), <ber> 0..7 or 99. The radio
    // hears without a SIM, so +CSQ does not need one.
    state.setVariable("CSQ_RSSI", "20");
    state.setVariable("CSQ_BER", "99");
    state.setVariable("GPRS_COVERAGE", "1");
    table.addCanned("+CSQ", {{CommandForm::Action, "+CSQ: ${CSQ_RSSI},${CSQ_BER}"},
                             {CommandForm::Test, "+CSQ: (0-31,99),(0-7,99)"}});
    state.addSetting(cgattSetting());
    // A restart drops the attach with everything else the network knew.
    state.addRestartHook([](ModemState &s) { s.set("+CGATT", "0"); });
}

} // namespace telvio::sim
