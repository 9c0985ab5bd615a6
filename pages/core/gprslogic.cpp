#include "pages/core/gprslogic.h"

#include "pages/core/answertext.h"

namespace telvio {

namespace {

const QByteArray kOk = QByteArrayLiteral("OK\r\n");
const QByteArray kError = QByteArrayLiteral("ERROR\r\n");

PageLifecycle GprsLifecycle()
{
    PageLifecycle l;
    // The read fills the record and shows it; taking the snapshot from the
    // controls then keeps a delay the modem holds off the 20 ms steps from
    // counting as an edit.
    l.readFills = PageLifecycle::ReadFills::Controls;
    l.profileClearsModified = true;
    l.activationRead = PageLifecycle::ActivationRead::Own;
    l.remarkModifiedWhenNotReading = false;
    l.readButtonClearsMustRead = true;
    return l;
}

// The command line's names of the values a read takes.
QStringList FieldNames(GprsValue value)
{
    switch (value) {
    case GprsValue::Apn: return {QStringLiteral("apn")};
    case GprsValue::UserName: return {QStringLiteral("userName")};
    case GprsValue::Password: return {QStringLiteral("password")};
    case GprsValue::ServerIp: return {QStringLiteral("serverIp")};
    case GprsValue::Port: return {QStringLiteral("port")};
    case GprsValue::TxDelay: return {QStringLiteral("txDelay")};
    case GprsValue::AutoConnect: return {QStringLiteral("autoConnect")};
    case GprsValue::ConnectionMode: return {QStringLiteral("connectionMode")};
    case GprsValue::ClientIp: return {QStringLiteral("clientIp")};
    case GprsValue::PingSync:
        return {QStringLiteral("syncMode"), QStringLiteral("syncDelay"), QStringLiteral("syncIdle")};
    case GprsValue::TcpStatus: return {QStringLiteral("tcpStatusInfo")};
    case GprsValue::ContextState: return {QStringLiteral("contextActive")};
    }
    return {};
}

int CappedNumber(const QString &text, int cap)
{
    const int n = LeadingNumber(text.toLatin1());
    return n > cap ? cap : n;
}

} // namespace

GprsLogic::GprsLogic(ModemSession &session, Prompter &prompts, PingDialogs &pingDialogs)
    : SettingsPage(session, prompts, PageId::Gprs, session.gprsRecord, GprsLifecycle()),
      m_pingDialogs(pingDialogs), m_actions(session, prompts, *this)
{
}

bool GprsLogic::Command(GprsCommand command)
{
    ChangeHook();
    switch (command) {
    case GprsCommand::Read: return ReadButton();
    case GprsCommand::Write: return WriteButton();
    case GprsCommand::Change: return m_actions.Change();
    case GprsCommand::Activate: return m_actions.Activate();
    case GprsCommand::ContextConnect: return m_actions.ContextConnect();
    case GprsCommand::GprsConnect: return m_actions.GprsConnect();
    case GprsCommand::Ping: return m_actions.Ping(m_pingDialogs);
    case GprsCommand::Start: return m_actions.Start();
    case GprsCommand::Stop: return m_actions.Stop();
    case GprsCommand::Edited:
    case GprsCommand::ListChosen: break;
    }
    return true;
}

// ---------------------------------------------------------------------------
// Creation and activation

void GprsLogic::ResetForm()
{
    form = GprsForm::Initial();
    gprsConnected = false;
    contextActive = false;
    tcpSessionOpen = false;
}

void GprsLogic::DisableWhileOffline()
{
    form.read.enabled = false;
    form.write.enabled = false;
    form.change.enabled = false;
}

void GprsLogic::AfterCreate()
{
    form.ApplyCommandSet(CommandSet());
    if (m_session.Offline()) {
        // Without a modem there is no context to activate nor a session to open.
        for (ControlState *c : std::initializer_list<ControlState *>{&form.activateCaption, &form.activate,
                                                                     &form.activateLabel, &form.contextModeLabel,
                                                                     &form.contextMode, &form.contextConnect})
            c->visible = false;
    }
    ShowGroupsForFirmware();
}

void GprsLogic::Activate()
{
    if (!Created())
        Create();
    const PageFlags &flags = Tracker().Flags();
    if (flags.mustRead && !flags.profilePending) {
        // Should the read fail, the controls show the record as it was and
        // count as unchanged: what the user then sees is not an edit.
        RecordToControls(PageRecord());
        Tracker().TakeSnapshot();
    }
    SettingsPage::Activate();
    ShowGroupsForFirmware();
}

void GprsLogic::ShowGroupsForFirmware()
{
    const bool on = m_session.Traits().extendedFirmware;
    for (ControlState *c : std::initializer_list<ControlState *>{&form.gprsGroup, &form.gprsConnect, &form.ping,
                                                                 &form.tcpGroup, &form.start, &form.stop})
        c->visible = on;
}

// ---------------------------------------------------------------------------
// Record and controls

void GprsLogic::ControlsToRecord(GprsSettingsRecord &record)
{
    using namespace gprsfield;
    // Zero-filled first: the reserved bytes and the bytes after each text's
    // NUL compare equal.
    record.Clear();
    record.SetText(UserName, UserNameWidth, form.userName.text.toLatin1());
    record.SetText(Port, PortWidth, form.port.text.toLatin1());
    record.SetText(Password, PasswordWidth, form.password.text.toLatin1());
    SetRecordOctets(record, ServerIp, form.serverIp.octets);
    // The socket waits in 20 ms steps.
    const int delay = LeadingNumber(form.delay.text.toLatin1()) / 20 * 20;
    record.SetText(TxDelay, TxDelayWidth, QByteArray::number(delay));
    record.SetText(Apn, ApnWidth, form.apn.text.toLatin1());
    record.SetInt(AutoConnect, form.autoConnect.current);
    record.SetInt(ConnectionMode, form.connectionMode.current);
    record.SetInt(AttachState, form.attachState.current);
    SetRecordOctets(record, ClientIp, form.clientIp.octets);
    record.SetByte(SyncMode, uint8_t(int8_t(form.syncMode.current)));
    record.SetByte(SyncDelay, uint8_t(CappedNumber(form.syncDelay.text, 255)));
    record.SetInt(SyncIdle, CappedNumber(form.syncIdle.text, 32767));
    record.SetByte(TcpStatus, uint8_t(int8_t(form.tcpStatus.current)));
}

void GprsLogic::RecordToControls(const GprsSettingsRecord &record)
{
    using namespace gprsfield;
    form.userName.text = QString::fromLatin1(record.Text(UserName, UserNameWidth));
    form.port.text = QString::fromLatin1(record.Text(Port, PortWidth));
    form.password.text = QString::fromLatin1(record.Text(Password, PasswordWidth));
    form.serverIp.octets = RecordOctets(record, ServerIp);
    form.delay.text = QString::fromLatin1(record.Text(TxDelay, TxDelayWidth));
    form.apn.text = QString::fromLatin1(record.Text(Apn, ApnWidth));
    form.autoConnect.Select(record.Int(AutoConnect));
    form.connectionMode.Select(record.Int(ConnectionMode));
    form.attachState.Select(record.Int(AttachState));
    form.clientIp.octets = RecordOctets(record, ClientIp);
    form.syncMode.Select(int8_t(record.Byte(SyncMode)));
    form.syncDelay.text = QString::number(record.Byte(SyncDelay));
    form.syncIdle.text = QString::number(record.Int(SyncIdle));
    form.tcpStatus.Select(int8_t(record.Byte(TcpStatus)));
    ShowContextActive();
}

void GprsLogic::ShowContextActive()
{
    form.activate.caption = contextActive ? gprspagetext::kDeactivate : gprspagetext::kActivate;
    form.activateLabel.text = contextActive ? gprspagetext::kStopLabel : gprspagetext::kStartLabel;
}

void GprsLogic::ShowGprsConnected(bool connected)
{
    gprsConnected = connected;
    form.gprsConnect.caption = connected ? gprspagetext::kDisconnect : gprspagetext::kConnect;
    form.ping.enabled = connected;
}

void GprsLogic::EnableControls(bool on)
{
    for (ControlState *c : std::initializer_list<ControlState *>{
             &form.apn, &form.delay, &form.serverIp, &form.password, &form.port, &form.userName, &form.autoConnect,
             &form.connectionMode, &form.attachState, &form.write, &form.change, &form.contextConnect,
             &form.contextMode, &form.activate, &form.clientIp, &form.tcpStatus, &form.syncMode, &form.syncDelay,
             &form.syncIdle})
        c->enabled = on;
}

void GprsLogic::CompareWithSnapshot()
{
    Tracker().Compare();
    Tracker().Flags().modified = !Tracker().Unchanged();
    m_session.Host()->UpdateStatusBar();
}

// ---------------------------------------------------------------------------
// Read

bool GprsLogic::ReadFromModem()
{
    if (!TransferFrame::MayStart(m_session))
        return false;
    EnableControls(true);
    PageRecord().Clear();
    unreadFields.clear();
    {
        TransferFrame frame(m_session);
        frame.Probe();
        // Its result does not matter: a modem that stays numeric fails the
        // first query instead.
        frame.SwitchToVerbose();
        if (!ReadSteps(frame))
            return false;
    }
    RecordToControls(PageRecord());
    return true;
}

bool GprsLogic::ReadSteps(TransferFrame &frame)
{
    GprsSettingsRecord &record = PageRecord();
    const GprsCommandSet set = CommandSet();
    for (const GprsQuery &q : GprsReadTable(set)) {
        const QByteArray error = q.error;
        const int r = error.isEmpty() ? frame.Send(q.command, 3, q.success) : frame.Send(q.command, 3, q.success, error);
        if (r != ExSuccess)
            return false;
        bool found = false;
        const QByteArray cut = CutGprsValue(frame.Answer(), q.keyword, q.skip, q.cutAtCr, &found);
        if (!found)
            unreadFields << FieldNames(q.value);
        if (q.value == GprsValue::ContextState)
            contextActive = CleanGprsValue(cut, q.cleaning) == "CONNECTED";
        else
            StoreGprsValue(record, q, cut);
    }
    if (set == GprsCommandSet::PlainGprs && !ReadPlainApn())
        return false;

    const bool simReady = m_session.SimStatus() == 1;
    if (simReady) {
        if (frame.Send(QByteArrayLiteral("AT+CGATT?"), 3, QByteArrayLiteral("CGATT:OK\r\n"), kError) != ExSuccess)
            return false;
        bool found = false;
        CutGprsValue(frame.Answer(), "CGATT:", 6, true, &found);
        if (!found)
            unreadFields << QStringLiteral("attachState");
        record.SetInt(gprsfield::AttachState, ParseCgattAnswer(frame.Answer()));
    } else {
        // Attaching, and everything that needs an attach, waits for the SIM.
        for (ControlState *c : std::initializer_list<ControlState *>{&form.change, &form.attachState,
                                                                     &form.contextConnect, &form.contextMode,
                                                                     &form.activate})
            c->enabled = false;
    }

    if (set == GprsCommandSet::TcpFirmware) {
        QByteArray answer = QByteArrayLiteral("AT*WIPSTATUS");
        // "DISCONNECTED" holds "CONNECTED": the substring match and the
        // test below both have to tell them apart.
        if (m_session.Exchange(answer, 3, kOk, 0, QByteArrayLiteral("ERROR"), 0, MatchSubstring) != ExSuccess)
            return false;
        ShowGprsConnected(IpStatusConnected(answer));
    }
    return true;
}

bool GprsLogic::ReadPlainApn()
{
    form.apnLabel.text = QStringLiteral("Access Point Name [+GDDCONT]");
    form.apnLabel.visible = true;
    form.apn.visible = true;
    const bool simReady = m_session.SimStatus() == 1;
    form.apnLabel.enabled = simReady;
    form.apn.enabled = simReady;
    if (!simReady)
        return true;
    QByteArray answer = QByteArrayLiteral("AT+CGDCONT?");
    // Line by line, and either final text will do: a modem that refuses
    // the query simply has no access point name to show.
    if (m_session.ExchangeLine(answer, 3, kOk, kError) != ExSuccess)
        return false;
    PageRecord().SetText(gprsfield::Apn, gprsfield::ApnWidth, ParseCgdcontApn(answer));
    return true;
}

// ---------------------------------------------------------------------------
// Write

QString GprsLogic::ValidateSettings() const
{
    using namespace gprsfield;
    const GprsSettingsRecord &record = m_session.gprsRecord;
    struct Checked {
        const QString *label;
        int offset;
        int width;
        bool quoted;
    };
    QList<Checked> sent;
    const GprsCommandSet set = CommandSet();
    if (set == GprsCommandSet::PlainGprs) {
        if (m_session.SimStatus() == 1)
            sent = {{&form.apnLabel.text, Apn, ApnWidth, true}};
    } else {
        sent = {{&form.apnLabel.text, Apn, ApnWidth, true},
                {&form.userNameLabel.text, UserName, UserNameWidth, true},
                {&form.passwordLabel.text, Password, PasswordWidth, true},
                {&form.portLabel.text, Port, PortWidth, false},
                {&form.delayLabel.text, TxDelay, TxDelayWidth, false}};
    }
    for (const Checked &c : sent) {
        const QByteArray text = record.Text(c.offset, c.width);
        bool ok = true;
        if (c.quoted) {
            ok = SafeQuotedText(text);
        } else {
            for (const char ch : text)
                ok = ok && ch >= '0' && ch <= '9';
        }
        if (!ok) {
            return c.quoted ? QStringLiteral("%1: a double quote, a line end or another control character cannot be "
                                             "sent to the modem.")
                                  .arg(*c.label)
                            : QStringLiteral("%1: only digits can be sent to the modem.").arg(*c.label);
        }
    }
    return QString();
}

bool GprsLogic::WriteToModem()
{
    if (!TransferFrame::MayStart(m_session))
        return false;
    // A text that would leave its quotes is refused before anything is sent.
    if (!ValidateSettings().isEmpty())
        return false;
    const GprsSettingsRecord &record = PageRecord();
    QList<QByteArray> commands;
    for (const GprsSetting &s : GprsWriteTable(CommandSet())) {
        const std::optional<QByteArray> command = FormatGprsSetting(s, record);
        if (!command)
            return false;
        commands << *command;
    }
    if (CommandSet() == GprsCommandSet::PlainGprs && m_session.SimStatus() == 1) {
        const std::optional<QByteArray> command =
            FormatCgdcontCommand(record.Text(gprsfield::Apn, gprsfield::ApnWidth));
        if (!command)
            return false;
        commands << *command;
    }
    commands << QByteArrayLiteral("AT&W");

    TransferFrame frame(m_session, TransferFrame::kTransferText + QStringLiteral("..."));
    frame.Probe();
    frame.SwitchToVerbose();
    bool allTaken = true;
    for (const QByteArray &command : commands) {
        // A refused value does not stop the write: the modem keeps what it
        // had for that one and takes the rest. The write as a whole is not
        // done, though, and does not say it is: the page stays modified.
        const int r = frame.Send(command, 3, kOk, kError);
        if (r <= ExTimeout)
            return false;
        allTaken = allTaken && r == ExSuccess;
    }
    if (!frame.TakeOverRestore())
        return allTaken;
    // Numeric codes again, and stored so: the "AT&W" above ran in verbose
    // mode and would otherwise leave the modem verbose from its next start.
    frame.Send(QByteArrayLiteral("ATV0"), 3, TransferFrame::NumericOkAfterEcho(m_session.Echo()));
    return frame.Send(QByteArrayLiteral("AT&W"), 3, kOk, QByteArrayLiteral("0\r")) >= ExSuccess && allTaken;
}

} // namespace telvio
