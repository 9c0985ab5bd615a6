#include "cli/gprscommands.h"

#include "pages/core/gprslogic.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QRegularExpression>

namespace telvio::cli {

namespace {

const QStringList kReadOnlyKeys = {QStringLiteral("commandSet"), QStringLiteral("gprsConnected"),
                                   QStringLiteral("contextActive")};

QString SetName(GprsCommandSet set)
{
    switch (set) {
    case GprsCommandSet::TcpFirmware: return QStringLiteral("TcpFirmware");
    case GprsCommandSet::IpStack: return QStringLiteral("IpStack");
    case GprsCommandSet::PlainGprs: return QStringLiteral("PlainGprs");
    }
    return QString();
}

bool DottedAddress(const QString &text, Octets *out = nullptr)
{
    static const QRegularExpression shape(QStringLiteral("^(\\d{1,3})\\.(\\d{1,3})\\.(\\d{1,3})\\.(\\d{1,3})$"));
    const QRegularExpressionMatch m = shape.match(text.trimmed());
    if (!m.hasMatch())
        return false;
    Octets octets{};
    for (int i = 0; i < 4; ++i) {
        const int v = m.captured(i + 1).toInt();
        if (v > 255)
            return false;
        octets[size_t(i)] = uint8_t(v);
    }
    if (out)
        *out = octets;
    return true;
}

bool Digits(const QString &text)
{
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

FieldRule Rule(const char *name, FieldRule::Kind kind)
{
    FieldRule r;
    r.name = QLatin1String(name);
    r.kind = kind;
    return r;
}

// The texts travel inside double quotes: a quote or a control character
// would end them early.
FieldRule Quoted(const char *name, int limit)
{
    FieldRule r = Rule(name, FieldRule::Text);
    r.maxLength = limit;
    r.textOk = [](const QString &text) { return SafeQuotedText(text.toLatin1()) && text.toLatin1() == text.toUtf8(); };
    r.textWhat = QStringLiteral("without quotes or control characters");
    return r;
}

FieldRule DigitText(const char *name, int limit)
{
    FieldRule r = Rule(name, FieldRule::Text);
    r.maxLength = limit;
    r.textOk = Digits;
    r.textWhat = QStringLiteral("digits only");
    return r;
}

FieldRule Address(const char *name)
{
    FieldRule r = Rule(name, FieldRule::Text);
    r.maxLength = 15;
    r.textOk = [](const QString &text) { return DottedAddress(text); };
    r.textWhat = QStringLiteral("an address a.b.c.d");
    return r;
}

FieldRule Position(const char *name, const QStringList &items)
{
    FieldRule r = Rule(name, FieldRule::Position);
    r.items = items;
    return r;
}

// The edit takes five digits; the page caps what it stores.
FieldRule Number(const char *name)
{
    FieldRule r = Rule(name, FieldRule::Number);
    r.high = 99999;
    return r;
}

QList<FieldRule> Rules()
{
    using namespace gprspagetext;
    QList<FieldRule> rules = {Quoted("apn", kApnLimit),
                              Quoted("userName", kUserNameLimit),
                              Quoted("password", kPasswordLimit),
                              Address("serverIp"),
                              Address("clientIp"),
                              DigitText("port", kPortLimit),
                              DigitText("txDelay", kDelayLimit),
                              Position("autoConnect", GprsForm::AutoConnectItems()),
                              Position("connectionMode", GprsForm::ConnectionModeItems()),
                              Position("tcpStatusInfo", GprsForm::TcpStatusItems()),
                              Position("syncMode", GprsForm::SyncModeItems()),
                              Number("syncDelay"),
                              Number("syncIdle"),
                              Position("attachState", GprsForm::AttachItems())};
    for (const QString &key : kReadOnlyKeys)
        rules.append(Rule(qPrintable(key), FieldRule::Ignored));
    return rules;
}

QString ItemText(const QStringList &items, int position)
{
    return position >= 0 && position < items.size() ? items.at(position) : QString();
}

void ReportList(Output &out, const char *key, const QStringList &items, int position)
{
    out.Set(QLatin1String(key), position);
    out.Set(QLatin1String(key) + QLatin1String("Text"), ItemText(items, position));
}

void ReportPage(Output &out, const ModemSession &s, const GprsLogic &logic)
{
    using namespace gprsfield;
    const GprsSettingsRecord &r = s.gprsRecord;
    out.Set(QStringLiteral("commandSet"), SetName(s.Traits().gprs));
    out.Set(QStringLiteral("apn"), QString::fromLatin1(r.Text(Apn, ApnWidth)));
    out.Set(QStringLiteral("userName"), QString::fromLatin1(r.Text(UserName, UserNameWidth)));
    out.Set(QStringLiteral("password"), QString::fromLatin1(r.Text(Password, PasswordWidth)));
    out.Set(QStringLiteral("serverIp"), DottedText(RecordOctets(r, ServerIp)));
    out.Set(QStringLiteral("clientIp"), DottedText(RecordOctets(r, ClientIp)));
    out.Set(QStringLiteral("port"), QString::fromLatin1(r.Text(Port, PortWidth)));
    out.Set(QStringLiteral("txDelay"), QString::fromLatin1(r.Text(TxDelay, TxDelayWidth)));
    ReportList(out, "autoConnect", GprsForm::AutoConnectItems(), r.Int(AutoConnect));
    ReportList(out, "connectionMode", GprsForm::ConnectionModeItems(), r.Int(ConnectionMode));
    ReportList(out, "tcpStatusInfo", GprsForm::TcpStatusItems(), int8_t(r.Byte(TcpStatus)));
    ReportList(out, "syncMode", GprsForm::SyncModeItems(), int8_t(r.Byte(SyncMode)));
    out.Set(QStringLiteral("syncDelay"), r.Byte(SyncDelay));
    out.Set(QStringLiteral("syncIdle"), r.Int(SyncIdle));
    ReportList(out, "attachState", GprsForm::AttachItems(), r.Int(AttachState));
    out.Set(QStringLiteral("gprsConnected"), logic.gprsConnected ? 1 : 0);
    out.Set(QStringLiteral("contextActive"), logic.contextActive ? 1 : 0);
}

// The page's logic as a command runs it; the Ping dialog answered with
// what the command line gave.
class CliPingDialogs : public PingDialogs {
public:
    bool RunPing(PingDialog &dialog) override
    {
        if (address) {
            dialog.form.address.octets = *address;
            dialog.form.addressShown = true;
        }
        if (count)
            dialog.form.count.text = QString::number(*count);
        if (delay)
            dialog.form.delay.text = QString::number(*delay);
        configured = dialog.Fields();
        return true;
    }
    std::optional<Octets> address;
    std::optional<int> count;
    std::optional<int> delay;
    PingConfig configured;
};

struct Page {
    Page(CliContext &ctx, CliPrompter &prompts) : logic(ctx.Session(), prompts, pings) {}
    CliPingDialogs pings;
    GprsLogic logic;
};

int ReadGprs(CliContext &ctx, CliPrompter &prompts)
{
    Page page(ctx, prompts);
    if (!ReadPageOnce(page.logic, ctx.Session(), PageId::Gprs))
        return ExitFailed;
    ReportPage(ctx.Out(), ctx.Session(), page.logic);
    return ReportUnread(ctx, page.logic.unreadFields);
}

// --- write gprs ----------------------------------------------------------------

struct EditField {
    const char *key;
    EditState GprsForm::*edit;
};

const EditField kEdits[] = {
    {"apn", &GprsForm::apn},           {"userName", &GprsForm::userName}, {"password", &GprsForm::password},
    {"port", &GprsForm::port},         {"txDelay", &GprsForm::delay},     {"syncDelay", &GprsForm::syncDelay},
    {"syncIdle", &GprsForm::syncIdle},
};

struct ListField {
    const char *key;
    ListState GprsForm::*list;
};

const ListField kLists[] = {
    {"autoConnect", &GprsForm::autoConnect}, {"connectionMode", &GprsForm::connectionMode},
    {"tcpStatusInfo", &GprsForm::tcpStatus}, {"syncMode", &GprsForm::syncMode},
    {"attachState", &GprsForm::attachState},
};

QString ValueText(const QJsonValue &value)
{
    return value.isDouble() ? QString::number(value.toDouble(), 'g', 15) : value.toString();
}

bool ApplyOne(GprsLogic &logic, const QString &key, const QJsonValue &value, QString *error)
{
    GprsForm &form = logic.form;
    for (const EditField &f : kEdits) {
        if (key != QLatin1String(f.key))
            continue;
        (form.*f.edit).text = ValueText(value);
        logic.Command(GprsCommand::Edited);
        return true;
    }
    for (const ListField &f : kLists) {
        if (key != QLatin1String(f.key) && key != QLatin1String(f.key) + QLatin1String("Text"))
            continue;
        QString why;
        if (!ChooseInList(form.*f.list, value, &why)) {
            *error = QStringLiteral("%1: %2").arg(key, why);
            return false;
        }
        logic.Command(GprsCommand::ListChosen);
        return true;
    }
    if (key == QLatin1String("serverIp") || key == QLatin1String("clientIp")) {
        AddressState &field = key == QLatin1String("serverIp") ? form.serverIp : form.clientIp;
        DottedAddress(ValueText(value), &field.octets);
        logic.Command(GprsCommand::Edited);
        return true;
    }
    *error = QStringLiteral("no field %1").arg(key);
    return false;
}

// The record fields each command set sends.
QStringList WrittenBy(GprsCommandSet set)
{
    const QStringList access = {QStringLiteral("apn"),      QStringLiteral("userName"), QStringLiteral("password"),
                                QStringLiteral("serverIp"), QStringLiteral("port"),     QStringLiteral("txDelay")};
    switch (set) {
    case GprsCommandSet::TcpFirmware:
        return access
            + QStringList{QStringLiteral("autoConnect"), QStringLiteral("connectionMode"), QStringLiteral("clientIp"),
                          QStringLiteral("tcpStatusInfo"), QStringLiteral("syncMode"), QStringLiteral("syncDelay"),
                          QStringLiteral("syncIdle")};
    case GprsCommandSet::IpStack: return access;
    case GprsCommandSet::PlainGprs: return {QStringLiteral("apn")};
    }
    return {};
}

// The values onto the page, each through its control as if typed or
// chosen; `changed` gets the names of the fields whose record value they
// changed. A field given by position wins over the same field named by its
// text.
bool ApplyValues(const ModemSession &s, GprsLogic &logic, const FieldValues &values, QStringList *changed,
                 QString *error)
{
    // What the controls make of the record before anything is given (a
    // delay off the 20 ms steps, reserved bytes): not a change of the first
    // value's.
    logic.ChangeHook();
    QStringList byPosition;
    for (const auto &v : values) {
        if (!v.first.endsWith(QLatin1String("Text")))
            byPosition << v.first;
    }
    for (const auto &v : values) {
        if (kReadOnlyKeys.contains(v.first))
            continue;
        const QString key = v.first.endsWith(QLatin1String("Text")) ? v.first.chopped(4) : v.first;
        if (key != v.first && byPosition.contains(key))
            continue;
        const GprsSettingsRecord was = s.gprsRecord;
        if (!ApplyOne(logic, v.first, v.second, error))
            return false;
        if (s.gprsRecord != was && !changed->contains(key))
            *changed << key;
    }
    return true;
}

// The first changed field the session's command set does not send, as a
// message; empty when there is none. The attach state is no setting of a
// write: the State list takes it only for "Change".
QString NotSent(const ModemSession &s, const QStringList &changed, bool attachStateTaken)
{
    const QStringList sent = WrittenBy(s.Traits().gprs);
    for (const QString &key : changed) {
        if (key == QLatin1String("attachState")) {
            if (attachStateTaken)
                continue;
            return QStringLiteral("attachState is not a setting the write sends: use gprs attach");
        }
        if (!sent.contains(key))
            return QStringLiteral("the %1 command set of the %2 has no %3")
                .arg(SetName(s.Traits().gprs), s.ModelName(), key);
    }
    return QString();
}

int WriteGprs(CliContext &ctx, CliPrompter &prompts, const FieldValues &values)
{
    Page page(ctx, prompts);
    ModemSession &s = ctx.Session();
    if (!ReadPageOnce(page.logic, s, PageId::Gprs))
        return ExitFailed;
    QStringList writable = page.logic.unreadFields;
    for (const QString &key : kReadOnlyKeys)
        writable.removeAll(key);
    if (const int rc = RefuseUnreadWrite(ctx, writable, values)) {
        ReportPage(ctx.Out(), s, page.logic);
        return rc;
    }
    QStringList changed;
    QString error;
    if (!ApplyValues(s, page.logic, values, &changed, &error)) {
        ctx.Out().Error(error);
        return ExitUsage;
    }
    error = NotSent(s, changed, false);
    if (!error.isEmpty()) {
        ctx.Out().Error(error);
        return ExitUsage;
    }
    const bool written = page.logic.Command(GprsCommand::Write);
    ReportPage(ctx.Out(), s, page.logic);
    return written ? ExitOk : ExitFailed;
}

// A profile's record edited offline. The profile's model decides the
// command set as it does for a connected modem of that model, so a field
// that set never sends is refused rather than kept where no write reaches
// it; the attach state is kept as the State list keeps it offline.
int EditGprs(CliContext &ctx, CliPrompter &prompts, const FieldValues &values)
{
    Page page(ctx, prompts);
    ModemSession &s = ctx.Session();
    ReadPageOnce(page.logic, s, PageId::Gprs);
    QStringList changed;
    QString error;
    if (!ApplyValues(s, page.logic, values, &changed, &error)) {
        ctx.Out().Error(error);
        return ExitUsage;
    }
    error = NotSent(s, changed, true);
    if (!error.isEmpty()) {
        ctx.Out().Error(error);
        return ExitUsage;
    }
    page.logic.ChangeHook();
    return ReportInvalid(ctx, page.logic.ValidateSettings());
}

// What a profile sends to the connected modem and compares with it: the
// settings its command set writes.
bool SentToModem(const ModemSession &s, const QString &field)
{
    return WrittenBy(s.Traits().gprs).contains(field);
}

// --- gprs attach|context|session|connect|disconnect|ping|tcp ----------------------

int Usage(CliContext &ctx)
{
    ctx.Out().Error(QStringLiteral(
        "usage: gprs attach 0|1|2 | gprs context on|off | gprs session open client|server | gprs session close "
        "[client|server] | gprs connect | gprs disconnect | gprs ping [--ip A.B.C.D] [--count N] [--delay S] "
        "[--wait S] | gprs tcp start|stop"));
    return ExitUsage;
}

struct PingOptions {
    std::optional<Octets> address;
    std::optional<int> count;
    std::optional<int> delay;
    int waitSeconds = 10;
};

bool ParsePingOptions(const QStringList &args, PingOptions *o)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (i + 1 >= args.size())
            return false;
        const QString v = args.at(++i);
        bool number = false;
        const int n = v.toInt(&number);
        if (a == QLatin1String("--ip")) {
            Octets octets{};
            if (!DottedAddress(v, &octets))
                return false;
            o->address = octets;
        } else if (a == QLatin1String("--count") && number && n >= 1 && n <= 99999) {
            o->count = n;
        } else if (a == QLatin1String("--delay") && number && n >= 0 && n <= 99999) {
            o->delay = n;
        } else if (a == QLatin1String("--wait") && number && n >= 0 && n <= 3600) {
            o->waitSeconds = n;
        } else {
            return false;
        }
    }
    return true;
}

// What the modem sends on its own while a ping runs.
class TerminalCapture : public SessionHost {
public:
    void AppendTerminal(const QByteArray &text) override { received += text; }
    QByteArray received;
};

QStringList ResultLines(const QByteArray &received)
{
    QStringList lines;
    // Only whole lines: at the line's rate the last one may still be
    // arriving.
    QList<QByteArray> parts = received.split('\n');
    parts.removeLast();
    for (const QByteArray &line : parts) {
        const QByteArray text = line.trimmed();
        if (!text.isEmpty() && text != "OK" && text != "0" && !text.startsWith("AT"))
            lines << QString::fromLatin1(text);
    }
    return lines;
}

int Ping(CliContext &ctx, Page &page, const PingOptions &o)
{
    ModemSession &s = ctx.Session();
    page.pings.address = o.address;
    page.pings.count = o.count;
    page.pings.delay = o.delay;
    TerminalCapture capture;
    SessionHost *host = s.Host();
    s.SetHost(&capture);
    const bool configured = page.logic.Command(GprsCommand::Ping);
    const int expected = page.pings.configured.count;
    QElapsedTimer clock;
    clock.start();
    QStringList lines = ResultLines(capture.received);
    auto results = [&lines] {
        int n = 0;
        for (const QString &line : lines)
            n += line.contains(QLatin1String("PING")) ? 1 : 0;
        return n;
    };
    // The results come one per ping; the wait ends early once all have.
    while (clock.elapsed() < qint64(o.waitSeconds) * 1000 && (expected <= 0 || results() < expected)
           && s.LinkUp()) {
        s.Wait(50);
        lines = ResultLines(capture.received);
    }
    s.SetHost(host);
    ctx.Out().Set(QStringLiteral("pingConfig"),
                  QStringLiteral("%1,%2,%3")
                      .arg(page.pings.configured.delay)
                      .arg(page.pings.configured.count)
                      .arg(DottedText(page.pings.configured.address)));
    ctx.Out().Set(QStringLiteral("pingResults"), QJsonArray::fromStringList(lines));
    if (!configured) {
        ctx.Out().Error(QStringLiteral("the modem refused the ping settings"));
        return ExitFailed;
    }
    for (const QString &line : lines) {
        if (line == QLatin1String("ERROR") || line == QLatin1String("4") || line.contains(QLatin1String("CME ERROR"))) {
            ctx.Out().Error(QStringLiteral("the modem refused AT*WPING: %1").arg(line));
            return ExitFailed;
        }
    }
    return ExitOk;
}

// Ends a TCP session the modem still runs from an earlier command: ETX
// before anything else, as the data mode would swallow identification.
void EndDataMode(CliContext &ctx)
{
    if (ctx.OpenLink() != ExitOk)
        return;
    ctx.Session().SendCommand(QByteArrayLiteral("\x03"), false);
    ctx.Session().Wait(200);
    ctx.CloseLink();
}

int GprsAction(CliContext &ctx, const QStringList &args)
{
    const QString what = args.value(0);
    const QString arg = args.value(1);
    PingOptions pingOptions;
    const bool valid = (what == QLatin1String("attach") && args.size() == 2
                        && QStringList({"0", "1", "2"}).contains(arg))
        || (what == QLatin1String("context") && args.size() == 2 && (arg == QLatin1String("on") || arg == QLatin1String("off")))
        || (what == QLatin1String("session") && args.size() == 3 && arg == QLatin1String("open")
            && (args.at(2) == QLatin1String("client") || args.at(2) == QLatin1String("server")))
        || (what == QLatin1String("session") && arg == QLatin1String("close")
            && (args.size() == 2
                || (args.size() == 3 && (args.at(2) == QLatin1String("client") || args.at(2) == QLatin1String("server")))))
        || ((what == QLatin1String("connect") || what == QLatin1String("disconnect")) && args.size() == 1)
        || (what == QLatin1String("ping") && ParsePingOptions(args.mid(1), &pingOptions))
        || (what == QLatin1String("tcp") && args.size() == 2 && (arg == QLatin1String("start") || arg == QLatin1String("stop")));
    if (!valid)
        return Usage(ctx);
    const bool closing = what == QLatin1String("session") && arg == QLatin1String("close");
    if (closing)
        EndDataMode(ctx);
    if (const int rc = ConnectModem(ctx))
        return rc;
    ModemSession &s = ctx.Session();
    Output &out = ctx.Out();
    CliPrompter prompts(ctx);
    Page page(ctx, prompts);
    if (!ReadPageOnce(page.logic, s, PageId::Gprs))
        return ExitFailed;
    GprsLogic &logic = page.logic;
    GprsForm &form = logic.form;
    const QString set = SetName(s.Traits().gprs);
    auto noSuchAction = [&](const QString &action) {
        out.Set(QStringLiteral("commandSet"), set);
        out.Error(QStringLiteral("the %1 command set of the %2 has no %3").arg(set, s.ModelName(), action));
        return ExitFailed;
    };
    auto refused = [&](const QString &action) {
        out.Error(QStringLiteral("the modem did not %1%2")
                      .arg(action, ctx.WhatWentWrong().isEmpty() ? QString() : QStringLiteral(" (%1)").arg(ctx.WhatWentWrong())));
        return ExitFailed;
    };

    if (what == QLatin1String("attach")) {
        if (!form.change.enabled) {
            out.Error(QStringLiteral("attaching is not available: the SIM card is not ready"));
            return ExitFailed;
        }
        form.attachState.Select(arg.toInt());
        logic.Command(GprsCommand::ListChosen);
        const bool done = logic.Command(GprsCommand::Change);
        ReportList(out, "attachState", GprsForm::AttachItems(), s.gprsRecord.Int(gprsfield::AttachState));
        return done ? ExitOk : ExitFailed;
    }
    if (what == QLatin1String("context") || what == QLatin1String("session")) {
        if (s.Traits().gprs != GprsCommandSet::IpStack)
            return noSuchAction(what == QLatin1String("context") ? QStringLiteral("GPRS context")
                                                                 : QStringLiteral("TCP session"));
        if (!form.activate.enabled)
            return refused(QStringLiteral("take it: the SIM card is not ready"));
    }
    if (what == QLatin1String("context")) {
        const bool on = arg == QLatin1String("on");
        if (logic.contextActive != on && !logic.Command(GprsCommand::Activate)) {
            out.Set(QStringLiteral("contextActive"), logic.contextActive ? 1 : 0);
            return refused(on ? QStringLiteral("activate the GPRS context") : QStringLiteral("deactivate the GPRS context"));
        }
        out.Set(QStringLiteral("contextActive"), logic.contextActive ? 1 : 0);
        return ExitOk;
    }
    if (what == QLatin1String("session")) {
        const bool server = args.value(2) == QLatin1String("server");
        form.contextMode.Select(server ? 1 : 0);
        logic.Command(GprsCommand::ListChosen);
        // A session opened by an earlier command is this one's to close.
        logic.tcpSessionOpen = closing;
        const bool done = logic.Command(GprsCommand::ContextConnect);
        out.Set(QStringLiteral("tcpSession"), logic.tcpSessionOpen ? QStringLiteral("open") : QStringLiteral("closed"));
        if (!done)
            return refused(closing ? QStringLiteral("stop the TCP server") : QStringLiteral("open the TCP session"));
        return ExitOk;
    }
    if (!form.gprsConnect.visible)
        return noSuchAction(what == QLatin1String("tcp") ? QStringLiteral("TCP socket start or stop")
                                                         : QStringLiteral("GPRS connection"));
    if (what == QLatin1String("connect") || what == QLatin1String("disconnect")) {
        const bool connect = what == QLatin1String("connect");
        if (logic.gprsConnected != connect && !logic.Command(GprsCommand::GprsConnect)) {
            out.Set(QStringLiteral("gprsConnected"), logic.gprsConnected ? 1 : 0);
            return refused(connect ? QStringLiteral("connect GPRS") : QStringLiteral("disconnect GPRS"));
        }
        out.Set(QStringLiteral("gprsConnected"), logic.gprsConnected ? 1 : 0);
        return logic.gprsConnected == connect ? ExitOk : refused(QStringLiteral("report a GPRS connection"));
    }
    if (what == QLatin1String("ping")) {
        if (!form.ping.enabled) {
            out.Error(QStringLiteral("Ping is not available: GPRS is not connected (gprs connect)"));
            return ExitFailed;
        }
        return Ping(ctx, page, pingOptions);
    }
    const bool start = arg == QLatin1String("start");
    if (!logic.Command(start ? GprsCommand::Start : GprsCommand::Stop))
        return refused(start ? QStringLiteral("start the TCP socket") : QStringLiteral("stop the TCP socket"));
    out.Set(QStringLiteral("tcp"), start ? QStringLiteral("started") : QStringLiteral("stopped"));
    return ExitOk;
}

} // namespace

CliPage GprsCliPage()
{
    return {QStringLiteral("gprs"), Rules(), ReadGprs, WriteGprs, EditGprs, SentToModem};
}

QList<Command> GprsCommands()
{
    return {{QStringLiteral("gprs"),
             QStringLiteral("gprs attach 0|1|2 | context on|off | session open|close client|server | connect | "
                            "disconnect | tcp start|stop | ping [--ip A.B.C.D] [--count N] [--delay S] [--wait S]"),
             GprsAction, true}};
}

} // namespace telvio::cli
