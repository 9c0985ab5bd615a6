// Every page operation that talks to the modem against every way a modem or
// its line lets it down, over the real serial path to the simulator. Each
// cell checks what must hold whatever went wrong: the call returns within
// its exchanges' timeouts, busy is cleared and the "Wait" window closed, the
// modem is left in the result-code format it was found in, the user is told
// of a failure, and nothing is reported as done that the modem did not do.
//
// A page joins by adding its table of operations and one instantiation.

#include "pages/basicflow.h"
#include "pages/core/smslogic.h"
#include "pages/core/callbacklogic.h"
#include "pages/core/iologic.h"
#include "pages/core/gprslogic.h"
#include "pages/core/serialsettingslogic.h"
#include "pages/pagehost.h"

using namespace telvio;
using namespace telvio::test;

namespace {

// --- the faults ---------------------------------------------------------

enum class Trouble {
    Timeout,         // the command is swallowed: no answer at all
    Error,           // "ERROR" instead of running
    CmeError,        // "+CME ERROR: 3" instead of running
    Noise,           // garbage bytes instead of the answer
    DeviceRemoved,   // the line hangs up in the middle of the exchange
    ByteAtATime,     // every answer paced one character at a time (9600 baud)
    NumericWithEcho, // the modem speaks V0 and echoes (E1)
    Unsolicited,     // a RING inside the answer
    NumericTimeout,  // a V0 modem with echo swallows the command: the way
                     // back to numeric codes after a failed step
};

struct FaultCase {
    const char *name;
    Trouble trouble;
};

const FaultCase kFaults[] = {
    {"Timeout", Trouble::Timeout},
    {"Error", Trouble::Error},
    {"CmeError", Trouble::CmeError},
    {"Noise", Trouble::Noise},
    {"DeviceRemoved", Trouble::DeviceRemoved},
    {"ByteAtATime", Trouble::ByteAtATime},
    {"NumericWithEcho", Trouble::NumericWithEcho},
    {"Unsolicited", Trouble::Unsolicited},
    {"NumericTimeout", Trouble::NumericTimeout},
};

// The command hit did not run: whatever the operation reports, it is not done.
bool Fails(Trouble t)
{
    return t == Trouble::Timeout || t == Trouble::Error || t == Trouble::CmeError || t == Trouble::Noise
        || t == Trouble::DeviceRemoved || t == Trouble::NumericTimeout;
}

// Nothing went wrong, only differently paced or framed: the operation must work.
bool Harmless(Trouble t)
{
    return t == Trouble::ByteAtATime || t == Trouble::NumericWithEcho;
}

sim::SimConfig ConfigFor(Trouble trouble)
{
    sim::SimConfig c;
    c.model = sim::Model::Pike3;
    c.pin = "1234";
    c.cmee = 1;
    if (trouble == Trouble::ByteAtATime) {
        // About a millisecond per character: each read finds one.
        c.line.baud = 9600;
        c.realRate = true;
    } else {
        // The shortest waits the session has, for the cells that run
        // into a timeout.
        c.line.baud = 115200;
    }
    if (trouble == Trouble::NumericWithEcho || trouble == Trouble::NumericTimeout) {
        c.verbose = false;
        c.echo = true;
    }
    return c;
}

std::optional<sim::Fault> FaultOn(const char *command, Trouble trouble)
{
    sim::Fault f;
    f.command = command;
    f.once = true;
    switch (trouble) {
    case Trouble::Timeout:
    case Trouble::NumericTimeout: f.kind = sim::FaultKind::NoAnswer; break;
    case Trouble::Error: f.kind = sim::FaultKind::Error; break;
    case Trouble::CmeError:
        f.kind = sim::FaultKind::CmeError;
        f.cmeError = 3; // operation not allowed
        break;
    case Trouble::Noise: f.kind = sim::FaultKind::Noise; break;
    case Trouble::DeviceRemoved: f.kind = sim::FaultKind::HangUp; break;
    case Trouble::Unsolicited: f.kind = sim::FaultKind::Unsolicited; break;
    case Trouble::ByteAtATime:
    case Trouble::NumericWithEcho: return std::nullopt;
    }
    return f;
}

// --- one cell's world ---------------------------------------------------

// The connected modem with every page's logic on the one session, a host
// that counts the message windows, and a count of the 50 ms ticks between
// one command sent and the next.
class Cell {
public:
    explicit Cell(const sim::SimConfig &config) : flow(config)
    {
        Session().SetHost(&host);
        Session().SetTraceSink([this](TraceDirection dir, const QByteArray &bytes) {
            if (dir != TraceDirection::Sent)
                return;
            flow.sent += bytes;
            NoteGap();
        });
        QObject::connect(&flow.link.tick, &QTimer::timeout, [this] { ++m_ticks; });
        QObject::connect(&Session(), &ModemSession::LinkLost, [this](const QString &reason) { linkLost = reason; });
    }

    ModemSession &Session() { return flow.link.session; }
    BasicLogic &Basic() { return flow.logic; }
    ScriptedPrompter &Prompts() { return flow.prompts; }
    ScriptedBasicDialogs &Dialogs() { return flow.dialogs; }

    QByteArray Stored(const QByteArray &setting) { return flow.Setting(setting, sim::ProfileSlot::Stored); }
    void Set(const QByteArray &name, const QByteArray &value)
    {
        QString error;
        ASSERT_TRUE(flow.link.modem.set(name, value, &error)) << qPrintable(error);
    }

    // The longest stretch of ticks without a command going out, from
    // StartCounting to StopCounting.
    void StartCounting()
    {
        m_counting = true;
        m_lastSend = m_ticks;
        maxGap = 0;
    }
    void StopCounting()
    {
        NoteGap();
        m_counting = false;
    }

    BasicFlow flow;
    PageHost host;
    SerialSettingsLogic serial{flow.link.session, flow.prompts};
    SmsLogic sms{flow.link.session, flow.prompts};
    IoLogic io{flow.link.session, flow.prompts};
    CallbackLogic callback{flow.link.session, flow.prompts};
    struct NoPing : PingDialogs {
        bool RunPing(PingDialog &) override { return false; }
    } noPing;
    GprsLogic gprs{flow.link.session, flow.prompts, noPing};
    QString linkLost;
    int maxGap = 0;

private:
    void NoteGap()
    {
        if (!m_counting)
            return;
        maxGap = std::max(maxGap, m_ticks - m_lastSend);
        m_lastSend = m_ticks;
    }

    int m_ticks = 0;
    int m_lastSend = 0;
    bool m_counting = false;
};

// --- the operations -----------------------------------------------------

struct Operation {
    const char *name;
    // The command the fault hits: one the operation cannot do without.
    const char *command;
    // The longest timeout factor among its exchanges.
    int factor;
    // The page's Part reports no failure of this action (the user learns
    // of it from the page or the link, not from a message).
    bool silentByPart;
    // The operation leaves the result-code format as it was (Factory
    // restores the factory format by design).
    bool keepsResultMode;
    void (*stage)(sim::SimConfig &);
    // Shows the page and sets the modem up; nothing may go wrong yet.
    void (*prepare)(Cell &);
    // Runs the operation: true when the page reports it done.
    bool (*run)(Cell &);
    // Whether the modem did it.
    bool (*done)(Cell &);
    // Whether the page marks what it could not do without a message (a
    // read's unread fields, which the command line reports); may be null.
    bool (*marked)(Cell &) = nullptr;
};

void PrintTo(const Operation &op, std::ostream *os)
{
    *os << op.name;
}

void PrintTo(const FaultCase &f, std::ostream *os)
{
    *os << f.name;
}

void PinIs1234(sim::SimConfig &c)
{
    c.pin = "1234";
}

void ShowBasic(Cell &c)
{
    c.Basic().Activate();
}

void EditBasic(Cell &c, const std::function<void(BasicForm &)> &change, BasicCommand notification)
{
    change(c.Basic().form);
    c.Basic().Command(notification);
}

// The messages shown; questions asked before an action are not news.
QStringList Messages(Cell &c)
{
    QStringList texts;
    for (const ScriptedPrompter::Asked &a : c.Prompts().Log()) {
        if (a.kind == ScriptedPrompter::Kind::Message)
            texts << a.text;
    }
    return texts;
}

bool NothingSaid(Cell &c)
{
    return Messages(c).isEmpty();
}

const Operation kBasicOperations[] = {
    {"Read", "+CBST", 3, false, true, nullptr,
     [](Cell &c) {
         ShowBasic(c);
         c.Set("S0", "9");
         c.Set("+CBST", "71,0,3");
     },
     [](Cell &c) { return c.Basic().Command(BasicCommand::Read) && c.Basic().unreadFields.isEmpty(); },
     [](Cell &c) {
         const BasicForm &f = c.Basic().form;
         return f.rings.text == "009" && f.bearerSpeed.CurrentText().startsWith("71 -") && f.bearerCe.current == 3;
     },
     [](Cell &c) { return !c.Basic().unreadFields.isEmpty(); }},
    {"Write", "+CBST", 3, false, true, nullptr,
     [](Cell &c) {
         ShowBasic(c);
         EditBasic(c, [](BasicForm &f) { f.rings.text = "005"; }, BasicCommand::RingsEdited);
         EditBasic(c, [](BasicForm &f) { f.bearerSpeed.current = 14; }, BasicCommand::BearerSpeedChosen);
     },
     [](Cell &c) { return c.Basic().Command(BasicCommand::Write); },
     [](Cell &c) { return c.Stored("S0") == "5" && c.Stored("+CBST").startsWith("71,"); }},
    // The page reads itself again after the restore: it shows what the
    // modem holds, restored or not.
    {"Factory", "&F", 3, true, false, [](sim::SimConfig &c) { c.assignments.append(sim::SimAssignment{"S0", "9"}); }, ShowBasic,
     [](Cell &c) {
         c.Basic().Command(BasicCommand::Factory);
         return NothingSaid(c) && c.Basic().form.rings.text == "000";
     },
     [](Cell &c) { return c.Stored("S0") == "0"; }},
    // The link is closed whatever the modem answered; nothing is claimed.
    {"ResetNow", "+CFUN", 1, true, true, [](sim::SimConfig &c) { c.assignments.append(sim::SimAssignment{"RESTART_MS", "60000"}); },
     ShowBasic,
     [](Cell &c) {
         c.Prompts().AnswerQuestion(true);
         c.Basic().Command(BasicCommand::ResetNow);
         EXPECT_FALSE(c.Session().LinkUp());
         return false;
     },
     [](Cell &c) { return c.flow.Restarting(); }},
    {"EmbeddedApp", "+WOPEN", 1, true, true,
     [](sim::SimConfig &c) { c.assignments.append(sim::SimAssignment{"RESTART_MS", "60000"}); }, ShowBasic,
     [](Cell &c) {
         c.Prompts().AnswerQuestion(true);
         c.Basic().Command(BasicCommand::EmbeddedApp);
         EXPECT_FALSE(c.Session().LinkUp());
         return false;
     },
     [](Cell &c) { return c.flow.Restarting() && c.flow.Variable("WOPEN") == "0"; }},
    {"EnterPin", "+CPIN=", 3, false, true, [](sim::SimConfig &c) { c.sim = sim::SimCard::PinRequired; },
     ShowBasic,
     [](Cell &c) {
         c.Dialogs().pins.enqueue(QString("1234"));
         c.Basic().Command(BasicCommand::EnterPin);
         return c.Session().SimStatus() == 1 && NothingSaid(c);
     },
     [](Cell &c) { return c.flow.Card().card == sim::SimCard::Ready; }},
    {"ChangePin", "+CPWD", 3, false, true, PinIs1234,
     [](Cell &c) {
         ShowBasic(c);
         c.flow.link.modem.withModem([](sim::SimModem &m) { m.state().sim().lockOn = true; });
     },
     [](Cell &c) {
         c.Dialogs().changes.enqueue(ChangePinCodes{"1234", "5678", "5678"});
         c.Basic().Command(BasicCommand::ChangePin);
         return NothingSaid(c);
     },
     [](Cell &c) { return c.flow.Card().pin == "5678"; }},
    {"LockPin", "+CLCK=", 3, false, true, PinIs1234, ShowBasic,
     [](Cell &c) {
         c.Dialogs().pins.enqueue(QString("1234"));
         c.Basic().Command(BasicCommand::ActivatePin);
         return c.Basic().PinEnabled();
     },
     [](Cell &c) { return c.flow.Card().lockOn; }},
    {"DtrDial", "+CPBW", 3, false, true, nullptr, ShowBasic,
     [](Cell &c) {
         c.Dialogs().dialAnswers.enqueue(QString("0123456789"));
         EditBasic(c, [](BasicForm &f) { f.dtrEvent.current = 1; }, BasicCommand::DtrEventChosen);
         c.Basic().Command(BasicCommand::DtrActivate);
         return NothingSaid(c);
     },
     [](Cell &c) { return c.flow.Setting("%D") == "1" && c.flow.Variable("CPBR_1").contains("\"0123456789\""); }},
    {"DtrSms", "+CMGW", 10, false, true, nullptr, ShowBasic,
     [](Cell &c) {
         c.Dialogs().smsAnswers.enqueue(SmsOnDtr{"+4912345", "Alarm"});
         EditBasic(c, [](BasicForm &f) { f.dtrEvent.current = 2; }, BasicCommand::DtrEventChosen);
         c.Basic().Command(BasicCommand::DtrActivate);
         return NothingSaid(c);
     },
     [](Cell &c) { return c.flow.Setting("%D") == "2" && c.flow.Variable("SMS_1_TEXT") == "Alarm\r"; }},
    // Deactivate's result is not reported.
    {"DtrDeactivate", "%D", 3, true, true, [](sim::SimConfig &c) { c.assignments.append(sim::SimAssignment{"%D", "1"}); },
     ShowBasic,
     [](Cell &c) {
         c.Basic().Command(BasicCommand::DtrDeactivate);
         return false;
     },
     [](Cell &c) { return c.flow.Setting("%D") == "0"; }},
    // A test whose "AT+WSTR=1" fails ends quietly: DTR is simply not raised.
    {"DtrTest", "+WSTR", 3, true, true, nullptr, ShowBasic,
     [](Cell &c) {
         c.Basic().Command(BasicCommand::DtrTest);
         return c.Dialogs().drops > 0;
     },
     [](Cell &c) { return c.Dialogs().drops == 1; }},
};

const Operation kSerialOperations[] = {
    {"Read", "&V", 3, false, true, nullptr,
     [](Cell &c) {
         c.serial.Activate();
         c.Set("+IFC", "0,0");
     },
     [](Cell &c) { return c.serial.Command(SerialCommand::Read) && c.serial.unreadFields.isEmpty(); },
     [](Cell &c) {
         return c.serial.form.List(SerialField::DceByDte).current == 0
             && c.serial.form.List(SerialField::DteByDce).current == 0;
     },
     [](Cell &c) { return !c.serial.unreadFields.isEmpty(); }},
    {"Write", "+IFC", 3, false, true, nullptr,
     [](Cell &c) {
         c.serial.Activate();
         c.serial.form.List(SerialField::DceByDte).current = 0;
         c.serial.form.List(SerialField::DteByDce).current = 0;
         c.serial.Command(SerialCommand::ListChosen);
     },
     [](Cell &c) { return c.serial.Command(SerialCommand::Write); },
     [](Cell &c) { return c.Stored("+IFC") == "0,0"; }},
};

const Operation kSmsOperations[] = {
    {"Read", "+CSCA", 3, false, true, nullptr,
     [](Cell &c) {
         c.sms.Activate();
         c.Set("+CSCA", "\"+491720000\",145");
     },
     [](Cell &c) { return c.sms.Command(SmsCommand::Read) && c.sms.unreadFields.isEmpty(); },
     [](Cell &c) { return c.sms.form.serviceCentre.text == "+491720000"; },
     [](Cell &c) { return !c.sms.unreadFields.isEmpty(); }},
    {"Write", "+CSAS", 3, false, true, nullptr,
     [](Cell &c) {
         c.sms.Activate();
         c.sms.form.serviceCentre.text = "+491720000";
         c.sms.Command(SmsCommand::Edited);
     },
     [](Cell &c) { return c.sms.Command(SmsCommand::Write); },
     [](Cell &c) { return c.Stored("+CSCA") == "\"+491720000\",145"; }},
};

const Operation kIoOperations[] = {
    {"Read", "*WIOL", 3, false, true, nullptr,
     [](Cell &c) {
         c.io.Activate();
         c.flow.SetVariable("WIOL_10_SERVICE", "CMD");
         c.flow.SetVariable("WIOE", "1");
     },
     [](Cell &c) { return c.io.Command(IoCommand::Read); },
     [](Cell &c) {
         return c.io.form.rows[9].service.CurrentText() == "CMD" && c.io.form.enable.current == 1;
     }},
    {"Write", "*WIOL", 3, false, true, nullptr,
     [](Cell &c) {
         c.io.Activate();
         c.io.form.rows[0].service.Select(1);
         c.io.form.rows[9].service.Select(6);
         c.io.Command(IoCommand::Edited);
     },
     [](Cell &c) { return c.io.Command(IoCommand::Write); },
     [](Cell &c) {
         return c.flow.Variable("WIOL_1_SERVICE") == "DIAL" && c.flow.Variable("WIOL_10_SERVICE") == "CMD";
     }},
};

const Operation kCallbackOperations[] = {
    {"Read", "*WCBTAB", 3, false, true, nullptr,
     [](Cell &c) {
         c.callback.Activate();
         c.flow.SetVariable("WCBTAB_3", "+4670333");
     },
     [](Cell &c) { return c.callback.Command(CallbackCommand::Read); },
     [](Cell &c) { return c.callback.form.entries[2].number.text == "+4670333"; }},
    {"SaveAll", "*WCBPWD1", 3, false, true, nullptr,
     [](Cell &c) {
         c.callback.Activate();
         c.callback.form.entries[0].password.text = "secret";
         c.callback.form.control.Select(3);
         c.callback.Command(CallbackCommand::Edited);
     },
     [](Cell &c) { return c.callback.Command(CallbackCommand::SaveAll); },
     [](Cell &c) { return c.flow.Variable("WCBPWD_1") == "secret" && c.flow.Variable("WCB") == "3"; }},
};

// A write goes on past a refused value, and then does not claim it wrote.
const Operation kGprsOperations[] = {
    {"Read", "*WTCPPORT", 3, false, true, nullptr,
     [](Cell &c) {
         c.gprs.Activate();
         c.Set("*WTCPPORT", "1234");
     },
     [](Cell &c) { return c.gprs.Command(GprsCommand::Read) && c.gprs.unreadFields.isEmpty(); },
     [](Cell &c) { return c.gprs.form.port.text == "1234"; },
     [](Cell &c) { return !c.gprs.unreadFields.isEmpty(); }},
    {"Write", "*WTCPTXDELAY", 3, false, true, nullptr,
     [](Cell &c) {
         c.gprs.Activate();
         c.gprs.form.apn.text = "internet";
         c.gprs.form.delay.text = "200";
         c.gprs.Command(GprsCommand::Edited);
     },
     [](Cell &c) { return c.gprs.Command(GprsCommand::Write); },
     [](Cell &c) { return c.Stored("*WGPRSAPN") == "\"internet\"" && c.Stored("*WTCPTXDELAY") == "200"; }},
};

// --- the matrix ---------------------------------------------------------

using MatrixCell = std::tuple<Operation, FaultCase>;

std::string CellName(const ::testing::TestParamInfo<MatrixCell> &info)
{
    return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
}

auto Matrix(const Operation *begin, const Operation *end)
{
    return ::testing::Combine(::testing::ValuesIn(begin, end), ::testing::ValuesIn(kFaults));
}

class FaultMatrix : public ::testing::TestWithParam<MatrixCell> {};

TEST_P(FaultMatrix, EndsCleanlyAndClaimsOnlyWhatWasDone)
{
    const Operation &op = std::get<0>(GetParam());
    const Trouble trouble = std::get<1>(GetParam()).trouble;
    sim::SimConfig config = ConfigFor(trouble);
    if (op.stage)
        op.stage(config);
    Cell c(config);
    ASSERT_TRUE(c.flow.link.Started());
    ASSERT_TRUE(c.flow.Connect());
    op.prepare(c);
    if (HasFatalFailure())
        return;
    ASSERT_TRUE(c.Prompts().Log().isEmpty()) << qPrintable(c.Prompts().Texts().join('\n'));
    ASSERT_FALSE(c.Session().Busy());
    const QByteArray resultMode = c.flow.Setting("V");
    const QByteArray storedMode = c.Stored("V");
    if (const std::optional<sim::Fault> fault = FaultOn(op.command, trouble))
        c.flow.link.modem.addFault(*fault);

    c.StartCounting();
    c.flow.sent.clear();
    const bool claimed = op.run(c);
    c.StopCounting();
    const bool done = op.done(c);
    const QString said = Messages(c).join('\n');
    const bool told = !said.isEmpty() || !c.linkLost.isEmpty() || (op.marked && op.marked(c));
    SCOPED_TRACE("sent: " + c.flow.sent.replace('\r', ' ').toStdString());

    EXPECT_FALSE(c.Session().Busy());
    EXPECT_EQ(c.host.openWindows, 0);
    // No wait longer than one exchange may take: its settling and its own
    // timeout, and the probe's pause before it.
    const int unit = 40; // the longest poll unit these lines use (9600 baud)
    EXPECT_LE(c.maxGap, (2 * op.factor + 5) * unit + 2);
    if (claimed) {
        EXPECT_TRUE(done) << "reported as done, but the modem did not do it";
    }
    if (Fails(trouble)) {
        EXPECT_FALSE(claimed);
        if (!op.silentByPart) {
            EXPECT_TRUE(told) << "a failure nobody was told of";
        }
    }
    if (trouble == Trouble::DeviceRemoved) {
        EXPECT_FALSE(c.Session().LinkUp());
        EXPECT_FALSE(c.linkLost.isEmpty());
    }
    if (Harmless(trouble)) {
        EXPECT_TRUE(done);
        EXPECT_TRUE(said.isEmpty()) << qPrintable(said);
        if (!op.silentByPart) {
            EXPECT_TRUE(claimed);
        }
    }
    // A RING or a network report may come at any time; an answer that
    // holds one is still the command's answer.
    if (trouble == Trouble::Unsolicited) {
        EXPECT_TRUE(done);
        if (!op.silentByPart) {
            EXPECT_TRUE(claimed) << qPrintable(said);
        }
    }
    if (op.keepsResultMode && trouble != Trouble::DeviceRemoved) {
        EXPECT_EQ(c.flow.Setting("V"), resultMode) << "result-code format not restored";
        EXPECT_EQ(c.Stored("V"), storedMode) << "result-code format stored changed";
    }
}

INSTANTIATE_TEST_SUITE_P(Basic, FaultMatrix, Matrix(std::begin(kBasicOperations), std::end(kBasicOperations)),
                         CellName);
INSTANTIATE_TEST_SUITE_P(Serial, FaultMatrix, Matrix(std::begin(kSerialOperations), std::end(kSerialOperations)),
                         CellName);
INSTANTIATE_TEST_SUITE_P(Sms, FaultMatrix, Matrix(std::begin(kSmsOperations), std::end(kSmsOperations)), CellName);
INSTANTIATE_TEST_SUITE_P(Io, FaultMatrix, Matrix(std::begin(kIoOperations), std::end(kIoOperations)), CellName);
INSTANTIATE_TEST_SUITE_P(Callback, FaultMatrix,
                         Matrix(std::begin(kCallbackOperations), std::end(kCallbackOperations)), CellName);
INSTANTIATE_TEST_SUITE_P(Gprs, FaultMatrix, Matrix(std::begin(kGprsOperations), std::end(kGprsOperations)), CellName);

} // namespace
