#pragma once

#include "link/core/linklayer.h"

#include "link/core/modemtraits.h"
#include "link/core/pageflags.h"
#include "link/core/portsettings.h"
#include "link/core/settingsrecord.h"
#include "link/core/trace.h"
#include "shell/core/options.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>

namespace telvio {

class CommControl;
class EventPump;
class Prompter;
class SessionHost;

// What one connect attempt is given: the port and its settings as the
// Connection page's lists show them.
struct ConnectParams {
    QString statusText = QStringLiteral("Connecting...");
    QString port;
    PortSettings line; // 9600 8N1 unless given
};

// Results of an exchange.
enum ExchangeResult { ExLinkDown = -1, ExTimeout = 0, ExSuccess = 1, ExError = 2 };

// Match modes of the main exchange.
enum MatchMode { MatchPattern = 0, MatchSubstring = 1 };

// One candidate port: its device path and the name shown for it.
struct PortEntry {
    QString path;
    QString Label() const;
};

// The one object through which the program talks to the modem: link state,
// the command/answer engine, the answer-mode probe, the port list, options,
// page flags and the settings records of every page.
class ModemSession : public QObject {
    Q_OBJECT
public:
    static const QByteArray kDisconnectedText; // "Modem disconnected during process!"

    // A session over the given control; the host may be null (no windows).
    ModemSession(CommControl *comm, SessionHost *host, EventPump *pump = nullptr, QObject *parent = nullptr);
    ~ModemSession() override;

    // The program-wide session. The first call must give the control and
    // host; later calls may pass nothing.
    static ModemSession *Instance(CommControl *comm = nullptr, SessionHost *host = nullptr);

    // --- the engine -------------------------------------------------------
    int Exchange(QByteArray &command, int factor, const QByteArray &success, int successTail,
                 const QByteArray &error, int errorTail, int mode);
    int Exchange(QByteArray &command, int factor, const QByteArray &success, const QByteArray &error)
    {
        return Exchange(command, factor, success, 0, error, 0, MatchPattern);
    }
    int Exchange(QByteArray &command, int factor, const QByteArray &success)
    {
        return Exchange(command, factor, success, 0, QByteArray(), 0, MatchPattern);
    }
    int ExchangeWithTail(QByteArray &command, int factor, const QByteArray &success, int tail)
    {
        return Exchange(command, factor, success, tail, QByteArray(), 0, MatchPattern);
    }
    // Sends and waits out the whole timeout without reading.
    int SendAndWait(QByteArray &command, int factor)
    {
        return Exchange(command, factor, QByteArray(), 0, QByteArray(), 0, MatchPattern);
    }
    int ExchangeLine(QByteArray &command, int factor, const QByteArray &textA, const QByteArray &textB);
    // Ends on the answer's final result code as a modem frames it (a whole
    // line "OK", "ERROR", "+CME ERROR: n", ... or a numeric code): 1 for a
    // success code, 2 for an error code, 0 timeout, -1 link down. For free
    // commands whose answer is unknown, where texts matched in order would
    // find "ERROR" spread over a long dump.
    int ExchangeFinal(QByteArray &command, int factor);
    int Probe();

    bool SendCommand(const QByteArray &text, bool appendCr);
    QByteArray ReadInput(bool echo);
    void SetPollUnit(int baud);
    int PollUnit() const { return m_pollUnit; }
    // Called by the 50 ms timer.
    void Tick();
    int TickCount() const { return m_tick; }
    void SetTickCount(int value) { m_tick = value; }
    // Waits the given time while events keep being served.
    void Wait(int milliseconds);

    // --- link -------------------------------------------------------------
    // Opens the port, identifies the modem and builds the page set:
    // 1 connected, 0 no supported modem (port closed again), -1 the port
    // could not be opened.
    int Connect(const ConnectParams &params);
    // Opens the port for the terminal alone: nothing is sent and nothing
    // identified, so whatever an earlier connection found is forgotten.
    // False when the port cannot be opened (the control's ErrorText says
    // why; nobody has been told yet).
    bool OpenForTerminal(const QString &port, const PortSettings &line);
    bool LinkUp() const { return m_connected || m_connecting; }
    bool Disconnect();
    bool ApplyPortSettings();
    void EnterOffline();

    // --- pages ------------------------------------------------------------
    void VisitPages();
    void RemovePages();
    void ShowConnectionPageWhenIdle();
    PageFlags &Flags(PageId page);
    const PageFlags &Flags(PageId page) const;
    void AddPage(PageId page, bool mustRead);

    // --- ports ------------------------------------------------------------
    void EnumeratePorts(QList<PortEntry> &ports);
    // Ports named on the command line: always offered, first.
    void SetExtraPorts(const QStringList &paths) { m_extraPorts = paths; }
    QString OsDescription() const { return m_osDescription; }

    void SetDefaults();

    CommControl *Comm() const { return m_comm; }
    SessionHost *Host() const { return m_host; }
    void SetHost(SessionHost *host);
    void SetTraceSink(TraceSink sink) { m_trace = std::move(sink); }
    // Where messages and questions go; null silences them.
    void SetPrompter(Prompter *prompter) { m_prompter = prompter; }
    Prompter *Prompts() const { return m_prompter; }

    // --- state ------------------------------------------------------------
    // The user's options; the options dialog edits them in place.
    Options options;

    // The page settings records; each page reads and writes its own, and
    // profile files carry them byte for byte.
    CallbackRecord callbackRecord;
    IoRecord ioRecord;
    GprsSettingsRecord gprsRecord;
    SmsRecord smsRecord;
    BasicSettingsRecord basicRecord;
    SerialSettingsRecord serialRecord;

    // How the modem answers, as the last probe found it: verbose ("OK") or
    // numeric ("0") result codes, and whether it echoes.
    bool Verbose() const { return m_verbose; }
    bool Echo() const { return m_echo; }
    // For a transfer that changes the modem's answer mode itself.
    void SetVerbose(bool on) { m_verbose = on; }
    void SetEcho(bool on) { m_echo = on; }
    // 1 when result codes are to be switched off when the link is let go
    // (the probe had to switch them on, or the Serial page chose so).
    int Quiet() const { return m_quiet; }
    void SetQuiet(int quiet) { m_quiet = quiet; }
    // Set while VisitPages reads the pages after a connect.
    bool ReReading() const { return m_reReading; }
    void SetReReading(bool on) { m_reReading = on; }
    // While set, the poll unit is a fifth of its normal value.
    bool FastProbe() const { return m_fastProbe; }
    void SetFastProbe(bool on) { m_fastProbe = on; }
    // A profile is being edited without a modem.
    bool Offline() const { return m_offline; }
    void SetOffline(bool on) { m_offline = on; }
    // A procedure holds the link (BusyScope); timers and other buttons
    // leave it alone meanwhile.
    bool Busy() const { return m_busy; }
    void SetBusy(bool on) { m_busy = on; }
    // The port was opened for the terminal without identifying a modem.
    bool TerminalOnly() const { return m_terminalOnly; }
    void SetTerminalOnly(bool on) { m_terminalOnly = on; }
    // The Signal page's measurement is running; the terminal is locked.
    bool UpdateRunning() const { return m_updateRunning; }
    void SetUpdateRunning(bool on) { m_updateRunning = on; }
    // SIM state found at connect: 0 unknown, 1 READY, 2 SIM PIN, 3 SIM PUK.
    int SimStatus() const { return int(m_sim); }
    SimState Sim() const { return m_sim; }
    void SetSimStatus(int status) { m_sim = SimState(status); }
    void SetSim(SimState state) { m_sim = state; }
    // "Connecting...", "Connected", "Open", "Offline".
    const QString &StatusText() const { return m_statusText; }
    void SetStatusText(const QString &text) { m_statusText = text; }
    // Device path of the port in use.
    const QString &PortName() const { return m_portName; }
    void SetPortName(const QString &path) { m_portName = path; }

    // The port settings of the link. After a disconnect they are unknown
    // and their texts show "-".
    const PortSettings &Line() const { return m_line; }
    bool LineKnown() const { return m_lineKnown; }
    // Takes new settings; ApplyPortSettings puts them on the port.
    void SetLine(const PortSettings &line)
    {
        m_line = line;
        m_lineKnown = true;
    }
    QString BaudText() const;
    QChar Parity() const;
    QString DataBitsText() const;
    QString StopBitsText() const;

    // What identification found: the IMEI cut from "AT+CGSN" (15
    // characters), the model table's matching prefix and model name.
    const QByteArray &Imei() const { return m_imei; }
    void SetImei(const QByteArray &imei) { m_imei = imei; }
    const QString &ImeiPrefix() const { return m_imeiPrefix; }
    const QString &ModelName() const { return m_modelName; }
    void SetModelName(const QString &name) { m_modelName = name; }
    // A profile created for a chosen model names it as identification would.
    void SetImeiPrefix(const QString &prefix) { m_imeiPrefix = prefix; }

    // What the connected modem speaks, decided at connect; the empty row
    // (unknown model, no firmware flags) while no modem is identified.
    const ModemTraits &Traits() const { return m_traits; }
    // Stages an identified modem without a connect (offline editing of a
    // profile for a chosen model, tests).
    void SetIdentity(Model model, bool makerFw, bool extendedFw)
    {
        m_traits = ModemTraits::Of(model, makerFw, extendedFw);
    }

    bool Connected() const { return m_connected; }
    bool Connecting() const { return m_connecting; }
    void SetConnected(bool on) { m_connected = on; }
    void SetConnecting(bool on) { m_connecting = on; }

signals:
    // The link went down by itself (unplugged, hang-up); Disconnect has run.
    void LinkLost(const QString &reason);

private:
    void OnLinkLost(const QString &reason);
    int ConnectFailed();
    // The firmware flags of an identified Pike or Orca-1 US.
    void CheckFirmware(Model model, bool *makerFw, bool *extendedFw);
    void BuildPageSet();
    void Trace(TraceDirection dir, const QByteArray &bytes);
    void DebugEcho(const QByteArray &answer);
    // The ways an exchange ends: receive events back on, the answer (or the
    // link-down text) handed back.
    int EndLinkDown(QByteArray &command);
    // The start every exchange shares: receive events off, what earlier
    // answers left on the line moved aside, the command sent, the clock
    // started. False when the link is down (the command then holds the
    // notice that it is).
    bool StartExchange(QByteArray &command, int limit, bool delayBeforeAt);
    int EndWithAnswer(QByteArray &command, const QByteArray &answer, int result);
    // Bytes that arrive between exchanges belong to nobody's answer.
    void OnCommEvent();
    void SettleInputBeforeSend(int limit);
    int QuietMilliseconds() const;
    void WaitForNextPass(bool advanced, bool tookInput);

    CommControl *m_comm;
    SessionHost *m_host;
    std::unique_ptr<SessionHost> m_nullHost;
    std::unique_ptr<EventPump> m_ownPump;
    EventPump *m_pump;
    TraceSink m_trace;
    Prompter *m_prompter = nullptr;

    std::array<PageFlags, PageSlotCount> m_flags{};
    PageFlags m_connectionFlags; // unused slot for the Connection page
    QStringList m_extraPorts;
    QString m_osDescription;

    ModemTraits m_traits;
    bool m_echo = false;
    int m_quiet = 0;
    bool m_reReading = false;
    bool m_fastProbe = false;
    bool m_offline = false;
    bool m_verbose = true;
    bool m_busy = false;
    bool m_terminalOnly = false;
    bool m_updateRunning = false;
    SimState m_sim = SimState::Unknown;
    QString m_statusText;
    QString m_portName;
    PortSettings m_line;
    bool m_lineKnown = false;
    QByteArray m_imei;
    QString m_imeiPrefix;
    QString m_modelName;
    int m_pollUnit = 40;
    int m_baud = 9600;
    // The last answer ended before its final result code: the rest of it
    // may still be on the wire.
    bool m_answerOpen = false;
    int m_tick = 0;
    bool m_connected = false;
    bool m_connecting = false;
};

} // namespace telvio
