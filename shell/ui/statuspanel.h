#pragma once

#include "shell/ui/uilayer.h"

#include "shell/core/terminalhistory.h"
#include "shell/core/terminaltext.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace telvio {

class HistorySpin;
class ModemSession;

// The panel right of the property sheet: the link's state, the command
// input with its history, and the terminal output with everything the
// modem sends outside command exchanges.
class StatusPanel : public QWidget {
    Q_OBJECT
public:
    // The refusal shown when Enter is pressed while the link is taken.
    static const QByteArray kSendRefusal;

    explicit StatusPanel(ModemSession *session, QWidget *parent = nullptr);

    // Copies the session's state into the fields and enables the inputs.
    void Refresh();
    // Adds received text to the terminal. The text is updated at once; the
    // window shows it within a frame, so a fast stream costs one redraw per
    // frame instead of one per read.
    void AppendTerminal(const QByteArray &text);
    // Sends the command input's line (Enter in the command input).
    void SendLine();
    void ClearTerminal();

    // The terminal's text, CR LF line ends (up to date even before the
    // window has caught up).
    QByteArray TerminalContents() const { return m_terminal.Text(); }
    qint64 TerminalReceived() const { return m_terminal.Received(); }
    // Brings the window up to date now.
    void ShowPendingText();
    const TerminalHistory &History() const { return m_history; }

    QLineEdit *CommandInput() const { return m_input; }
    QPlainTextEdit *TerminalOutput() const { return m_output; }
    HistorySpin *Spin() const { return m_spin; }
    // Values by caption without the colon: "Status", "Port", "Baud rate",
    // "Data bits", "Parity", "Stop bits", "Modem", "SIM card".
    QString Field(const QString &caption) const;
    bool OutputTypable() const { return m_typable; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void BuildFields();
    void HistoryStep(bool up);
    void ShowHistorySlot();
    void OnSpinClicked(int before, int delta);
    void SendTypedCharacter(char c);
    void SetOutputTypable(bool on);
    bool FilterInputKey(QKeyEvent *key);
    bool FilterOutputKey(QKeyEvent *key);

    ModemSession *m_session;
    TerminalText m_terminal;
    TerminalHistory m_history;
    QTimer m_showTimer;
    QElapsedTimer m_lastShow;
    bool m_typable = false;

    QWidget *m_banner;
    QGroupBox *m_group;
    QLabel *m_status, *m_port, *m_baud, *m_dataBits, *m_parity, *m_stopBits, *m_modem, *m_sim;
    QLineEdit *m_input;
    HistorySpin *m_spin;
    QPlainTextEdit *m_output;
};

} // namespace telvio
