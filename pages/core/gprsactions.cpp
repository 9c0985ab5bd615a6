#include "pages/core/gprsactions.h"

#include "pages/core/answertext.h"
#include "pages/core/gprslogic.h"
#include "pages/core/pageframe.h"

namespace telvio {

namespace {

const QByteArray kOk = QByteArrayLiteral("OK\r\n");
const QByteArray kError = QByteArrayLiteral("ERROR\r\n");
const QString kWindowText = TransferFrame::kTransferText + QStringLiteral("...");

// The start of every action's frame after the window: the answer mode
// probed and verbose codes switched on. False when the action is to end
// here: some actions cannot go on when the modem did not take "ATV1".
bool Guard(TransferFrame &frame, bool stopOnTimeout)
{
    frame.Probe();
    const int r = frame.SwitchToVerbose();
    return !(stopOnTimeout && r <= ExTimeout);
}

} // namespace

// ---------------------------------------------------------------------------
// Ping dialog

PingDialog::PingDialog(ModemSession &session) : m_session(session)
{
    form.count.digitsOnly = true;
    form.delay.digitsOnly = true;
}

void PingDialog::Initialise()
{
    if (!TransferFrame::MayStart(m_session))
        return;
    TransferFrame frame(m_session);
    if (!Guard(frame, true))
        return;
    if (frame.Send(QByteArrayLiteral("AT*WPINGCONFIG?"), 3, QByteArrayLiteral("WPINGCONFIG:OK\r\n"), kError)
        != ExSuccess)
        return;
    m_kept = ParsePingConfig(frame.Answer());
    m_read = true;
    form.delay.text = QString::number(m_kept.delay);
    form.count.text = QString::number(m_kept.count);
    form.address.octets = m_kept.address;
    form.addressShown = true;
}

PingConfig PingDialog::Fields() const
{
    PingConfig c;
    c.delay = LeadingNumber(form.delay.text.toLatin1());
    c.count = LeadingNumber(form.count.text.toLatin1());
    c.address = form.address.octets;
    return c;
}

void PingDialog::Accept()
{
    m_written = -1;
    const PingConfig fields = Fields();
    if (m_read && fields == m_kept)
        return;
    if (!TransferFrame::MayStart(m_session))
        return;
    TransferFrame frame(m_session);
    if (!Guard(frame, true))
        return;
    m_written = frame.Send(FormatPingConfig(fields), 3, kOk, kError);
}

// ---------------------------------------------------------------------------
// The page's actions

GprsActions::GprsActions(ModemSession &session, Prompter &prompts, GprsLogic &page)
    : m_session(session), m_prompts(prompts), m_page(page)
{
}

bool GprsActions::Change()
{
    if (!TransferFrame::MayStart(m_session))
        return false;
    GprsSettingsRecord &record = m_session.gprsRecord;
    bool changed = false;
    {
        TransferFrame frame(m_session, kWindowText);
        Guard(frame, false);
        const QByteArray set = QByteArrayLiteral("AT+CGATT=") + QByteArray::number(record.Int(gprsfield::AttachState));
        changed = frame.Send(set, 5, kOk, kError) == ExSuccess;
        if (!changed)
            m_prompts.Message(gprspagetext::kActionFailed);
        // What the modem holds now, whether or not it took the change.
        if (frame.Send(QByteArrayLiteral("AT+CGATT?"), 3, QByteArrayLiteral("CGATT:OK\r\n"), kError) == ExSuccess) {
            record.SetInt(gprsfield::AttachState, ParseCgattAnswer(frame.Answer()));
            m_page.RecordToControls(record);
        }
    }
    m_page.CompareWithSnapshot();
    return changed;
}

bool GprsActions::Activate()
{
    if (!TransferFrame::MayStart(m_session))
        return false;
    TransferFrame frame(m_session, kWindowText);
    Guard(frame, false);
    const int r = m_page.contextActive
        ? frame.Send(QByteArrayLiteral("AT#CONNECTIONSTOP"), 7, kOk, kError)
        : frame.Send(QByteArrayLiteral("AT#CONNECTIONSTART"), 7, QByteArrayLiteral("Ok_Info_GprsActivation\r\n"), kError);
    ShowAnswerInTerminal(frame.Answer(), QByteArrayLiteral("AT#CONNECTION"));
    if (r != ExSuccess)
        return false;
    m_page.contextActive = !m_page.contextActive;
    m_page.ShowContextActive();
    return true;
}

bool GprsActions::ContextConnect()
{
    if (!TransferFrame::MayStart(m_session))
        return false;
    GprsForm &form = m_page.form;
    TransferFrame frame(m_session, kWindowText);
    bool done = true;
    QByteArray last;
    if (!m_page.tcpSessionOpen) {
        Guard(frame, false);
        // The button follows the user, not the modem: a session the modem
        // refused is still closed with the next press.
        form.contextConnect.caption = gprspagetext::kDisconnect;
        m_page.tcpSessionOpen = true;
        const QByteArray open =
            form.contextMode.current == 1 ? QByteArrayLiteral("AT#LTCPSTART") : QByteArrayLiteral("AT#OTCP");
        done = frame.Send(open, 4, kOk, kError) == ExSuccess;
        last = frame.Answer();
    } else {
        // ETX ends the data mode the session runs in; it is no command
        // line, so no CR follows it and nothing answers it.
        m_session.SendCommand(QByteArrayLiteral("\x03"), false);
        form.contextConnect.caption = gprspagetext::kConnect;
        m_page.tcpSessionOpen = false;
        if (form.contextMode.current == 1) {
            Guard(frame, false);
            done = frame.Send(QByteArrayLiteral("AT#LTCPSTOP"), 4, kOk, kError) == ExSuccess;
            last = frame.Answer();
        }
    }
    ShowAnswerInTerminal(last, QByteArray());
    return done;
}

bool GprsActions::GprsConnect()
{
    if (!TransferFrame::MayStart(m_session))
        return false;
    TransferFrame frame(m_session);
    if (!Guard(frame, true))
        return false;
    if (m_page.gprsConnected) {
        if (frame.Send(QByteArrayLiteral("AT*WGPRSDISCONNECT"), 3, kOk, kError) != ExSuccess)
            return false;
        m_page.ShowGprsConnected(false);
        return true;
    }
    if (frame.Send(QByteArrayLiteral("AT*WGPRSCONNECT"), 5, kOk, kError) != ExSuccess)
        return false;
    // The modem answers at once and connects afterwards: its status is
    // worth asking only once it has had time to.
    m_session.Wait(2000);
    QByteArray status = QByteArrayLiteral("AT*WIPSTATUS");
    if (m_session.Exchange(status, 3, kOk, 0, QByteArrayLiteral("ERROR"), 0, MatchSubstring) != ExSuccess)
        return false;
    m_page.ShowGprsConnected(IpStatusConnected(status));
    return m_page.gprsConnected;
}

bool GprsActions::Ping(PingDialogs &dialogs)
{
    PingDialog dialog(m_session);
    dialog.Initialise();
    if (!dialogs.RunPing(dialog))
        return false;
    dialog.Accept();
    // Fire and forget: the results come as the modem's own lines, one per
    // ping, long after any exchange would have given up.
    m_session.SendCommand(QByteArrayLiteral("AT*WPING"), true);
    return dialog.WriteResult() == -1 || dialog.WriteResult() == ExSuccess;
}

bool GprsActions::Start()
{
    return SimpleCommand("AT*WTCPSTART");
}

bool GprsActions::Stop()
{
    return SimpleCommand("AT*WTCPSTOP");
}

bool GprsActions::SimpleCommand(const char *command)
{
    if (!TransferFrame::MayStart(m_session))
        return false;
    TransferFrame frame(m_session);
    if (!Guard(frame, true))
        return false;
    return frame.Send(QByteArray(command), 5, kOk, kError) == ExSuccess;
}

void GprsActions::ShowAnswerInTerminal(const QByteArray &answer, const QByteArray &from)
{
    // With the Debug option every answer is in the terminal already.
    if (m_session.options.debug == 1 || answer.isEmpty())
        return;
    const int at = from.isEmpty() ? -1 : answer.indexOf(from);
    m_session.Host()->AppendTerminal(at < 0 ? answer : answer.mid(at + from.size()));
}

} // namespace telvio
