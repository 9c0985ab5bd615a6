#pragma once

#include "pages/core/pageslayer.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace telvio {

class ModemSession;
class Prompter;
struct BasicForm;

// The three codes the Change PIN dialog takes.
struct ChangePinCodes {
    QString oldPin;
    QString newPin;
    QString confirmPin;
};

// The two PIN dialogs (masked edits of at most 8 characters); nothing when
// the user cancels. The widget page shows real dialogs; tests and the
// command line answer from a script.
class PinDialogs {
public:
    static constexpr int kMaxLength = 8;
    virtual ~PinDialogs() = default;
    virtual std::optional<QString> EnterPin() = 0;
    virtual std::optional<ChangePinCodes> ChangePin() = 0;
};

// A PIN as Enter PIN, Activate PIN and the old code of Change PIN take it:
// at least 4 characters, all decimal digits.
bool PinFollowsFormat(const QString &pin);
// A new PIN: exactly 4 decimal digits.
bool NewPinFollowsFormat(const QString &pin);
// Whether a refused "AT+CLCK" answer says the code was wrong (extended
// error 16, numeric or as text) rather than that the SIM was not ready.
bool WrongCodeAnswer(const QByteArray &answer);

// The SIM PIN buttons of the Basic page: Enter PIN, Change PIN and
// Activate PIN. They change the buttons of the page's form and the
// session's SIM status.
class PinLogic {
public:
    PinLogic(ModemSession &session, Prompter &prompts, PinDialogs &dialogs, BasicForm &form);

    // The SIM's PIN lock is on, as the last read of the page found it; it
    // decides what Activate PIN does and says.
    bool pinEnabled = false;

    void EnterPin();
    void ChangePin();
    void ActivatePin();

    // The Activate PIN caption for the lock state.
    void ShowLockState(bool on);

private:
    // The set command with the success text of the modem's result-code
    // format (chosen from the mode found just before).
    int SendCode(QByteArray &command, bool verbose);
    // "AT" to learn the result-code format: 1 verbose, 2 numeric, else no
    // modem.
    int AskFormat();

    ModemSession &m_session;
    Prompter &m_prompts;
    PinDialogs &m_dialogs;
    BasicForm &m_form;
};

} // namespace telvio
