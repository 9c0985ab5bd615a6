#pragma once

#include "pages/core/pageslayer.h"

#include <QString>

#include <optional>

namespace telvio {

class ModemSession;
class Prompter;
class TransferFrame;
struct BasicForm;

// What the SMS-on-DTR dialog shows and gives back; line breaks as CR LF.
struct SmsOnDtr {
    QString number;
    QString message;
};

// The dial-on-DTR and SMS-on-DTR dialogs: each is given what the modem has
// stored and gives back what the user confirmed with Activate, or nothing
// on Cancel.
class DtrDialogs {
public:
    static constexpr int kDialNumberLength = 34;
    static constexpr int kSmsNumberLength = 22;
    virtual ~DtrDialogs() = default;
    virtual std::optional<QString> DialNumber(const QString &number) = 0;
    virtual std::optional<SmsOnDtr> SmsMessage(const SmsOnDtr &stored) = 0;
};

// The main window's one-shot timer that switches DTR off again 1000 ms
// after the DTR test raised it.
class DtrDropTimer {
public:
    virtual ~DtrDropTimer() = default;
    virtual void StartDtrDrop() = 0;
};

// The "Set DTR Toogle Event [%D]" group of the Basic page: what the modem
// does by itself when DTR toggles (dial phonebook entry 1, send stored
// message 1, nothing), and the DTR test.
class DtrLogic {
public:
    enum Event { EventOff = 0, EventDial = 1, EventSms = 2 };

    DtrLogic(ModemSession &session, Prompter &prompts, DtrDialogs &dialogs, DtrDropTimer &dropTimer,
             BasicForm &form);

    // Switches the function, after showing and storing the number or the
    // message for events 1 and 2. True also when the user cancels a dialog
    // (nothing is changed then).
    bool SetDtrFunction(int event);

    // The buttons.
    void Activate();
    void Deactivate();
    void Test();

private:
    // Each: -1 failed, 0 the user cancelled, 1 stored (or nothing to store).
    int SetUpDial(TransferFrame &frame);
    int SetUpSms(TransferFrame &frame);
    bool StoreSms(TransferFrame &frame, bool replaceStored, const SmsOnDtr &sms);

    ModemSession &m_session;
    Prompter &m_prompts;
    DtrDialogs &m_dialogs;
    DtrDropTimer &m_dropTimer;
    BasicForm &m_form;
};

} // namespace telvio
