#include "sim/standardset.h"

#include <QElapsedTimer>

#include <memory>

namespace telvio::sim {
namespace {

// A quoted text of at most `limit` characters, kept with its quotes so the
// read form shows it as the modem does: *WGPRSAPN: "internet".
SettingDef quotedText(const QByteArray &name, int limit)
{
    SettingDef def;
    def.name = name;
    def.factory = "\"\"";
    def.parseText = [limit](const QByteArray &argument) -> std::optional<QByteArray> {
        const QByteArray trimmed = argument.trimmed();
        if (trimmed.size() < 2 || !trimmed.startsWith('"') || !trimmed.endsWith('"'))
            return std::nullopt;
        const QByteArray text = trimmed.mid(1, trimmed.size() - 2);
        if (text.contains('"') || text.size() > limit)
            return std::nullopt;
        return '"' + text + '"';
    };
    return def;
}

bool parseAddress(const QByteArray &text, QByteArray *out)
{
    const QList<QByteArray> parts = text.split('.');
    if (parts.size() != 4)
        return false;
    QList<QByteArray> octets;
    for (const QByteArray &part : parts) {
        int value = 0;
        if (!parseNumber(part, &value) || value > 255)
            return false;
        octets << QByteArray::number(value);
    }
    *out = octets.join('.');
    return true;
}

// A quoted dotted address; `emptyMeansNone` lets "" clear it.
SettingDef quotedAddress(const QByteArray &name, const QByteArray &factory, bool emptyMeansNone)
{
    SettingDef def;
    def.name = name;
    def.factory = factory;
    def.parseText = [emptyMeansNone](const QByteArray &argument) -> std::optional<QByteArray> {
        const QList<QByteArray> args = splitArguments(argument);
        if (args.size() != 1 || !argument.trimmed().startsWith('"'))
            return std::nullopt;
        if (args.at(0).isEmpty()) {
            if (emptyMeansNone)
                return QByteArray("\"\"");
            return std::nullopt;
        }
        QByteArray address;
        if (!parseAddress(args.at(0), &address))
            return std::nullopt;
        return '"' + address + '"';
    };
    return def;
}

SettingDef numbers(const QByteArray &name, const QByteArray &factory, const QList<SettingField> &fields,
                   const QByteArray &testText)
{
    SettingDef def;
    def.name = name;
    def.factory = factory;
    def.fields = fields;
    def.testText = testText;
    return def;
}

CommandResult ok(const QList<QByteArray> &info = {})
{
    return CommandResult::ok(info);
}

// An action command: only its plain form runs.
CommandDef action(const QByteArray &name, std::function<CommandResult(ModemState &)> run, Firmware firmware,
                  bool needsSim = false)
{
    CommandDef def;
    def.name = name;
    def.handler = [run](ModemState &state, const ParsedCommand &command) {
        if (command.form != CommandForm::Action)
            return CommandResult::error();
        return run(state);
    };
    def.firmwares = {firmware};
    def.needsSim = needsSim;
    return def;
}

bool haveNetwork(const ModemState &state)
{
    return state.sim().card == SimCard::Ready && state.number("+CFUN") != 0
        && state.variable("GPRS_COVERAGE") != "0";
}

int variableMs(const ModemState &state, const QByteArray &name, int fallback)
{
    bool isNumber = false;
    const int ms = state.variable(name).toInt(&isNumber);
    return isNumber && ms >= 0 ? ms : fallback;
}

// The TCP socket data mode (#OTCP, #LTCPSTART): what is received goes to the
// socket, kept in TCP_DATA, until ETX ends it.
ModemState::TextEntry socketDataMode()
{
    return [](ModemState &state, char c, bool *done) -> QByteArray {
        if (c == 0x03) {
            *done = true;
            state.setVariable("TCP_SESSION", "0");
            return QByteArray();
        }
        state.setVariable("TCP_DATA", state.variable("TCP_DATA") + c);
        return QByteArray();
    };
}

// The maker's TCP firmware: GPRS access, the TCP socket and ping.
//
// The GPRS connection is in GPRS_STATE (DISCONNECTED, CONNECTING,
// CONNECTED): "AT*WGPRSCONNECT" answers at once and the status reaches
// CONNECTED GPRS_CONNECT_MS milliseconds later (1000 when unset), or stays
// DISCONNECTED without a network. Ping results come PING_SECOND_MS
// milliseconds per second of the configured delay apart (1000 when unset).
void addTcpFirmware(ModemState &state, CommandTable &table)
{
    const Firmware fw = Firmware::Maker;
    for (const SettingDef &def :
         {quotedText("*WGPRSAPN", 100), quotedText("*WGPRSUN", 50), quotedText("*WGPRSPW", 50),
          quotedAddress("*WTCPSERV", "\"0.0.0.0\"", false), quotedAddress("*WTCPCLIENTIP", "\"0.0.0.0\"", false),
          numbers("*WTCPPORT", "9000", {SettingField::range(0, 65535)}, "(0-65535)"),
          numbers("*WTCPTXDELAY", "100", {SettingField::range(0, 32760)}, "(0-32760)"),
          numbers("*WTCPCONNECT", "0", {SettingField::range(0, 2)}, "(0-2)"),
          numbers("*WTCPMODE", "0", {SettingField::range(0, 1)}, "(0-1)"),
          numbers("*WTCPI", "0", {SettingField::range(0, 1)}, "(0-1)"),
          numbers("*WTCPPINGSYNC", "1,5,20",
                  {SettingField::range(0, 1), SettingField::range(0, 255), SettingField::range(0, 32767)},
                  "(0-1),(0-255),(0-32767)")})
        state.addSetting(def);

    SettingDef pingConfig;
    pingConfig.name = "*WPINGCONFIG";
    pingConfig.factory = "1,4,\"0.0.0.0\"";
    pingConfig.parseText = [](const QByteArray &argument) -> std::optional<QByteArray> {
        const QList<QByteArray> args = splitArguments(argument);
        int delay = 0;
        int count = 0;
        QByteArray address;
        if (args.size() != 3 || !parseNumber(args.at(0), &delay) || delay < 1 || delay > 60
            || !parseNumber(args.at(1), &count) || count < 1 || count > 100 || !parseAddress(args.at(2), &address))
            return std::nullopt;
        return QByteArray::number(delay) + ',' + QByteArray::number(count) + ",\"" + address + '"';
    };
    state.addSetting(pingConfig);

    state.setVariable("GPRS_STATE", "DISCONNECTED");
    state.setVariable("TCP_STATE", "STOPPED");
    // When the connection was asked for; its status moves on with time.
    auto since = std::make_shared<QElapsedTimer>();
    auto status = [since](ModemState &s) {
        if (s.variable("GPRS_STATE") == "CONNECTING" && since->isValid()
            && since->elapsed() >= variableMs(s, "GPRS_CONNECT_MS", 1000))
            s.setVariable("GPRS_STATE", haveNetwork(s) ? "CONNECTED" : "DISCONNECTED");
        return s.variable("GPRS_STATE");
    };
    table.add(action(
        "*WGPRSCONNECT",
        [since](ModemState &s) {
            s.setVariable("GPRS_STATE", "CONNECTING");
            since->start();
            return ok();
        },
        fw, true));
    table.add(action(
        "*WGPRSDISCONNECT",
        [](ModemState &s) {
            s.setVariable("GPRS_STATE", "DISCONNECTED");
            s.setVariable("TCP_STATE", "STOPPED");
            return ok();
        },
        fw));
    // Connected, the status names the PDP address the network gave
    // (PDP_ADDRESS, 10.64.12.7 when unset).
    table.add(action(
        "*WIPSTATUS",
        [status](ModemState &s) {
            const QByteArray state = status(s);
            if (state != "CONNECTED")
                return ok({"*WIPSTATUS: " + state});
            QByteArray address = s.variable("PDP_ADDRESS");
            if (address.isEmpty())
                address = "10.64.12.7";
            return ok({"*WIPSTATUS: " + state + ",\"" + address + "\""});
        },
        fw));
    table.add(action(
        "*WPING",
        [status](ModemState &s) {
            if (status(s) != "CONNECTED")
                return CommandResult::error();
            const QList<QByteArray> config = splitArguments(s.value("*WPINGCONFIG"));
            const int gap = config.value(0).toInt() * variableMs(s, "PING_SECOND_MS", 1000);
            const int count = config.value(1).toInt();
            for (int n = 1; n <= count; ++n)
                s.sendLater(gap, "*WPING: " + QByteArray::number(n) + ",\"" + config.value(2) + "\",TIME=45");
            return ok();
        },
        fw));
    table.add(action(
        "*WTCPSTART",
        [status](ModemState &s) {
            if (status(s) != "CONNECTED")
                return CommandResult::error();
            s.setVariable("TCP_STATE", "STARTED");
            return ok();
        },
        fw));
    table.add(action(
        "*WTCPSTOP",
        [](ModemState &s) {
            s.setVariable("TCP_STATE", "STOPPED");
            return ok();
        },
        fw));
    // Power cycling drops the connection with everything else the network knew.
    state.addRestartHook([](ModemState &s) {
        s.setVariable("GPRS_STATE", "DISCONNECTED");
        s.setVariable("TCP_STATE", "STOPPED");
    });
}

// The IP-stack firmware: GPRS access, the TCP server, the GPRS context
// (CONTEXT: 0 or 1) and TCP sessions in a data mode that ETX ends.
void addIpStack(ModemState &state, CommandTable &table)
{
    const Firmware fw = Firmware::IpStack;
    for (const SettingDef &def :
         {quotedText("#APNSERV", 100), quotedText("#APNUN", 50), quotedText("#APNPW", 50),
          quotedAddress("#TCPSERV", "\"\"", true),
          numbers("#TCPTXDELAY", "100", {SettingField::range(0, 32760)}, "(0-32760)"),
          numbers("#TCPPORT", "9000", {SettingField::range(0, 65535)}, "(0-65535)")})
        state.addSetting(def);
    state.setVariable("CONTEXT", "0");
    state.setVariable("TCP_SESSION", "0");
    table.add(action(
        "#VSTATE",
        [](ModemState &s) {
            return ok({s.variable("CONTEXT") == "1" ? QByteArray("#STATE: \"CONNECTED\"")
                                                     : QByteArray("#STATE: \"IDLE\"")});
        },
        fw));
    table.add(action(
        "#CONNECTIONSTART",
        [](ModemState &s) {
            if (!haveNetwork(s))
                return CommandResult::error();
            s.setVariable("CONTEXT", "1");
            // The stack reports the activation in its own words, without OK.
            CommandResult r;
            r.result = FinalResult::None;
            r.info = {"Ok_Info_GprsActivation"};
            return r;
        },
        fw, true));
    table.add(action(
        "#CONNECTIONSTOP",
        [](ModemState &s) {
            s.setVariable("CONTEXT", "0");
            return ok();
        },
        fw));
    auto session = [](const QByteArray &kind) {
        return [kind](ModemState &s) {
            if (s.variable("CONTEXT") != "1")
                return CommandResult::error();
            s.setVariable("TCP_SESSION", kind);
            s.beginTextEntry(socketDataMode(), QByteArray());
            return ok();
        };
    };
    table.add(action("#OTCP", session("client"), fw));
    table.add(action("#LTCPSTART", session("server"), fw));
    table.add(action(
        "#LTCPSTOP",
        [](ModemState &s) {
            s.setVariable("TCP_SESSION", "0");
            return ok();
        },
        fw));
    state.addRestartHook([](ModemState &s) {
        s.setVariable("CONTEXT", "0");
        s.setVariable("TCP_SESSION", "0");
    });
}

// 27.007 10.1.1 PDP contexts 1 to 3, kept in CGDCONT_<cid> as the read form
// shows them; "AT+CGDCONT=<cid>" alone undefines one.
CommandResult cgdcont(ModemState &state, const ParsedCommand &command)
{
    switch (command.form) {
    case CommandForm::Test: return ok({"+CGDCONT: (1-3),\"IP\",,,(0),(0)"});
    case CommandForm::Action: return CommandResult::error();
    case CommandForm::Read: {
        QList<QByteArray> lines;
        for (int cid = 1; cid <= 3; ++cid) {
            const QByteArray value = state.variable("CGDCONT_" + QByteArray::number(cid));
            if (!value.isEmpty())
                lines << "+CGDCONT: " + value;
        }
        return ok(lines);
    }
    case CommandForm::Set: break;
    }
    const QList<QByteArray> args = splitArguments(command.argument);
    int cid = 0;
    if (args.isEmpty() || args.size() > 6 || !parseNumber(args.at(0), &cid) || cid < 1 || cid > 3)
        return CommandResult::cmeFailure(cme::incorrectParameters);
    const QByteArray key = "CGDCONT_" + QByteArray::number(cid);
    if (args.size() == 1) {
        state.setVariable(key, QByteArray());
        return ok();
    }
    if (args.at(1) != "IP" && args.at(1) != "PPP")
        return CommandResult::cmeFailure(cme::incorrectParameters);
    QByteArray address = "0.0.0.0";
    if (args.size() > 3 && !args.at(3).isEmpty() && !parseAddress(args.at(3), &address))
        return CommandResult::cmeFailure(cme::incorrectParameters);
    state.setVariable(key, QByteArray::number(cid) + ",\"" + args.at(1) + "\",\"" + args.value(2) + "\",\"" + address
                               + "\",0,0");
    return ok();
}

} // namespace

void addGprsSet(ModemState &state, CommandTable &table)
{
    if (state.firmware() == Firmware::Maker)
        addTcpFirmware(state, table);
    if (state.firmware() == Firmware::IpStack)
        addIpStack(state, table);
    table.add({"+CGDCONT", cgdcont, {}, {}, true});
}

} // namespace telvio::sim
