#include "shell/ui/statuspanel.h"

#include "link/core/modemsession.h"
#include "shell/core/shelllayout.h"
#include "shell/core/statusmodel.h"
#include "shell/ui/fonts.h"
#include "shell/ui/historyspin.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace telvio {

const QByteArray StatusPanel::kSendRefusal = QByteArrayLiteral(
    "The Update interval have to be\r\ndisabled or the Serial page have\r\nto be the active page to Send\r\nfrom terminal window.\r\n");

namespace {

// How long received text may wait before the window shows it: short enough
// to look immediate, long enough to gather a stream's many small reads into
// one redraw.
constexpr int kShowDelayMs = 25;
// While text keeps coming (a window shown less than this long ago), the
// next redraw waits this long instead: laying out and painting the window
// is what a stream costs, not taking its bytes in, and a line that never
// ends is laid out whole at every redraw.
constexpr int kStreamShowMs = 200;
// A line without end costs in proportion to its length at every redraw:
// while a stream keeps it growing, the redraws come rarer, every further
// 2000 characters another 200 ms, once a second at the slowest.
constexpr int kLongLineChars = 2000;
constexpr int kSlowestShowMs = 1000;

int StreamShowMs(int lastLineLength)
{
    return qBound(kStreamShowMs, kStreamShowMs * (lastLineLength / kLongLineChars), kSlowestShowMs);
}

// The strip at the top of the panel.
class PanelBanner : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient fill(rect().topLeft(), rect().topRight());
        fill.setColorAt(0, QColor(0x12, 0x3c, 0x6e));
        fill.setColorAt(1, QColor(0x3a, 0x7c, 0xb8));
        p.fillRect(rect(), fill);
        // Three rising bars: the signal mark.
        p.setBrush(Qt::white);
        p.setPen(Qt::NoPen);
        const int base = height() - 6;
        for (int i = 0; i < 3; ++i) {
            const int h = 6 + 4 * i;
            p.drawRect(QRect(8 + 6 * i, base - h, 4, h));
        }
        QFont f = font();
        f.setBold(true);
        f.setPixelSize(std::max(10, height() / 2));
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(rect().adjusted(32, 0, -6, 0), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Kestrava Telvio"));
    }
};

// The single-byte character a key press types, or -1. Control letters are
// worked out from the key, since not every platform puts them in the text:
// Ctrl+Z (end of an SMS text) must reach the modem.
int TypedCharacter(const QKeyEvent *key)
{
    const Qt::KeyboardModifiers mods = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (mods == Qt::ControlModifier && key->key() >= Qt::Key_A && key->key() <= Qt::Key_Z)
        return key->key() - Qt::Key_A + 1;
    const QString text = key->text();
    if (text.size() != 1 || text.at(0).unicode() >= 256 || text.at(0).unicode() == 0x7f)
        return -1;
    return text.at(0).unicode();
}

} // namespace

StatusPanel::StatusPanel(ModemSession *session, QWidget *parent)
    : QWidget(parent),
      m_session(session),
      m_banner(new PanelBanner(this)),
      m_group(new QGroupBox(QStringLiteral("Connection"), this)),
      m_input(new QLineEdit(this)),
      m_spin(new HistorySpin(this)),
      m_output(new QPlainTextEdit(this))
{
    BuildFields();

    const QFont terminalFont = TerminalFont(font());
    m_input->setFont(terminalFont);
    m_input->setEnabled(false);
    m_input->setAccessibleName(QStringLiteral("Command input"));
    m_input->installEventFilter(this);

    m_spin->setEnabled(false);
    m_spin->SetPosition(0);
    connect(m_spin, &HistorySpin::Clicked, this, &StatusPanel::OnSpinClicked);

    m_output->setFont(terminalFont);
    m_output->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_output->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_output->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_output->setUndoRedoEnabled(false);
    m_output->setAccessibleName(QStringLiteral("Terminal output"));
    m_output->installEventFilter(this);
    SetOutputTypable(false);

    setTabOrder(m_input, m_output);

    m_showTimer.setSingleShot(true);
    m_showTimer.setInterval(kShowDelayMs);
    connect(&m_showTimer, &QTimer::timeout, this, &StatusPanel::ShowPendingText);
}

void StatusPanel::BuildFields()
{
    auto value = [this](const char *name) {
        auto *label = new QLabel(QStringLiteral("-"), m_group);
        label->setObjectName(QLatin1String(name));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return label;
    };
    m_status = value("Status");
    m_port = value("Port");
    m_baud = value("Baud rate");
    m_dataBits = value("Data bits");
    m_parity = value("Parity");
    m_stopBits = value("Stop bits");
    m_modem = value("Modem");
    m_sim = value("SIM card");

    auto *grid = new QGridLayout(m_group);
    grid->setContentsMargins(8, 2, 6, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(0);
    auto put = [this, grid](const char *caption, QLabel *v, int row, int column, int span) {
        auto *label = new QLabel(QLatin1String(caption), m_group);
        label->setBuddy(v);
        grid->addWidget(label, row, column);
        grid->addWidget(v, row, column + 1, 1, span);
    };
    // Two pairs side by side where both are short; the pairs stay together
    // on a wide panel and the spare room goes to the right.
    put("Status:", m_status, 0, 0, 4);
    put("Port:", m_port, 1, 0, 4);
    put("Baud rate:", m_baud, 2, 0, 1);
    put("Data bits:", m_dataBits, 2, 2, 1);
    put("Parity:", m_parity, 3, 0, 1);
    put("Stop bits:", m_stopBits, 3, 2, 1);
    put("Modem:", m_modem, 4, 0, 4);
    put("SIM card:", m_sim, 5, 0, 4);
    grid->setColumnMinimumWidth(1, 48);
    grid->setColumnMinimumWidth(2, 64);
    grid->setColumnStretch(4, 1);
}

QString StatusPanel::Field(const QString &caption) const
{
    const auto *label = m_group->findChild<QLabel *>(caption);
    return label ? label->text() : QString();
}

void StatusPanel::resizeEvent(QResizeEvent *)
{
    const ShellLayout::PanelGeometry g = ShellLayout::Panel(size());
    m_banner->setGeometry(g.banner);
    m_group->setGeometry(g.group);
    m_input->setGeometry(g.input);
    m_spin->setGeometry(g.spin);
    m_output->setGeometry(g.output);
}

void StatusPanel::Refresh()
{
    const PanelFields f = ComputePanelFields(*m_session);
    m_status->setText(f.status);
    m_modem->setText(f.modem);
    if (f.mode == PanelFields::Mode::Offline)
        return;
    m_port->setText(f.port);
    m_baud->setText(f.baud);
    m_parity->setText(f.parity);
    m_dataBits->setText(f.dataBits);
    m_stopBits->setText(f.stopBits);
    m_sim->setText(f.sim);
    m_input->setEnabled(f.inputEnabled);
    SetOutputTypable(f.outputTypable);
    m_spin->setEnabled(f.spinEnabled);
}

void StatusPanel::SetOutputTypable(bool on)
{
    m_typable = on;
    // Typed characters never go into the text itself (they go to the modem,
    // whose echo comes back as received text), so the edit stays read-only
    // to Qt either way; what changes is whether it takes the keyboard.
    m_output->setReadOnly(true);
    m_output->setTextInteractionFlags(on ? Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                                         : Qt::TextSelectableByMouse);
    QPalette pal = m_output->palette();
    pal.setColor(QPalette::Base, on ? palette().color(QPalette::Base) : palette().color(QPalette::Window));
    m_output->setPalette(pal);
}

// ---------------------------------------------------------------------------
// Terminal output

void StatusPanel::AppendTerminal(const QByteArray &text)
{
    m_terminal.Append(text);
    if (!m_showTimer.isActive()) {
        const bool streaming = m_lastShow.isValid() && m_lastShow.elapsed() < kStreamShowMs;
        m_showTimer.start(streaming ? StreamShowMs(m_output->document()->lastBlock().length()) : kShowDelayMs);
    }
}

void StatusPanel::ClearTerminal()
{
    m_terminal.Clear();
    ShowPendingText();
}

void StatusPanel::ShowPendingText()
{
    m_showTimer.stop();
    m_lastShow.start();
    if (m_terminal.HasChange()) {
        const TerminalText::Change change = m_terminal.TakeChange();
        if (change.replaceAll) {
            m_output->setPlainText(change.append);
        } else {
            // Edit the document at both ends instead of setting the whole
            // text: the view keeps the layout of everything in between.
            QTextDocument *doc = m_output->document();
            QTextCursor cursor(doc);
            cursor.beginEditBlock();
            if (change.dropFront > 0) {
                cursor.setPosition(0);
                cursor.setPosition(change.dropFront, QTextCursor::KeepAnchor);
                cursor.removeSelectedText();
            }
            if (doc->characterCount() - 1 > change.keep) {
                cursor.setPosition(change.keep);
                cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
                cursor.removeSelectedText();
            }
            if (!change.append.isEmpty()) {
                cursor.movePosition(QTextCursor::End);
                cursor.insertText(change.append);
            }
            cursor.endEditBlock();
        }
    }
    // Newest text in view: caret at the end, then as far down as it goes.
    QTextCursor end(m_output->document());
    end.movePosition(QTextCursor::End);
    m_output->setTextCursor(end);
    m_output->ensureCursorVisible();
    m_output->verticalScrollBar()->setValue(m_output->verticalScrollBar()->maximum());
}

// ---------------------------------------------------------------------------
// Command input and history

void StatusPanel::SendLine()
{
    ModemSession &s = *m_session;
    if (!s.Busy() && !s.UpdateRunning()) {
        s.SetBusy(true);
        const QString line = m_input->text();
        m_history.Store(line);
        m_spin->SetPosition(m_history.Count());
        if (s.Connected())
            s.SendCommand(line.toLatin1(), true);
        m_input->clear();
        m_input->setFocus();
        s.SetBusy(false);
    } else {
        AppendTerminal(kSendRefusal);
        m_input->clear();
        m_input->setFocus();
    }
}

void StatusPanel::HistoryStep(bool up)
{
    if (up)
        m_history.Up();
    else
        m_history.Down();
    ShowHistorySlot();
    m_spin->SetPosition(m_history.Pos());
}

void StatusPanel::ShowHistorySlot()
{
    m_input->setText(m_history.Current());
    m_input->setFocus();
    m_input->end(false);
}

void StatusPanel::OnSpinClicked(int before, int delta)
{
    if (!m_history.SpinClick(before)) {
        m_spin->SetPosition(m_history.Pos());
        return;
    }
    ShowHistorySlot();
    m_spin->Step(delta);
}

void StatusPanel::SendTypedCharacter(char c)
{
    ModemSession &s = *m_session;
    if (s.Connected() && s.options.terminal == 1 && !s.UpdateRunning())
        s.SendCommand(QByteArray(1, c), false);
}

// ---------------------------------------------------------------------------
// Keys

bool StatusPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        bool handled = false;
        if (watched == m_input)
            handled = FilterInputKey(key);
        else if (watched == m_output)
            handled = FilterOutputKey(key);
        if (handled) {
            // Claiming the shortcut override makes the key come back as a
            // key press here instead of triggering a menu shortcut.
            if (event->type() == QEvent::ShortcutOverride)
                event->accept();
            return event->type() == QEvent::KeyPress;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool StatusPanel::FilterInputKey(QKeyEvent *key)
{
    const bool press = key->type() == QEvent::KeyPress;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (press)
            SendLine();
        return true;
    case Qt::Key_Escape:
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return false;
        if (press)
            HistoryStep(key->key() == Qt::Key_Up);
        return true;
    default:
        return false;
    }
}

bool StatusPanel::FilterOutputKey(QKeyEvent *key)
{
    const bool press = key->type() == QEvent::KeyPress;
    if (key->key() == Qt::Key_Escape)
        return true;
    if (key->matches(QKeySequence::Copy) && m_output->textCursor().hasSelection())
        return false;
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
        return false;
    // Enter goes on to the output as any typed character would: with typing
    // on it sends a CR, otherwise the read-only output ignores it.
    const int c = TypedCharacter(key);
    if (c < 0)
        return false;
    if (!m_typable)
        return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (press)
        SendTypedCharacter(char(c));
    return true;
}

} // namespace telvio
