#pragma once

#include "link/core/modemsession.h"
#include "pages/core/basiclogic.h"
#include "pages/pagehost.h"
#include "support/scriptedprompter.h"
#include "support/fakemodem.h"
#include "support/memoryport.h"
#include "support/scriptedpump.h"

#include <QQueue>

#include <gtest/gtest.h>

namespace telvio::test {

// The page's dialogs, answered from queues; what they were shown is kept.
// An empty queue answers Cancel.
class ScriptedBasicDialogs : public PinDialogs, public DtrDialogs, public DtrDropTimer {
public:
    std::optional<QString> EnterPin() override { return pins.isEmpty() ? std::nullopt : pins.dequeue(); }
    std::optional<ChangePinCodes> ChangePin() override
    {
        return changes.isEmpty() ? std::nullopt : changes.dequeue();
    }
    std::optional<QString> DialNumber(const QString &number) override
    {
        dialShown << number;
        return dialAnswers.isEmpty() ? std::nullopt : dialAnswers.dequeue();
    }
    std::optional<SmsOnDtr> SmsMessage(const SmsOnDtr &stored) override
    {
        smsShown << stored;
        return smsAnswers.isEmpty() ? std::nullopt : smsAnswers.dequeue();
    }
    void StartDtrDrop() override { ++drops; }

    QQueue<std::optional<QString>> pins;
    QQueue<std::optional<ChangePinCodes>> changes;
    QQueue<std::optional<QString>> dialAnswers;
    QQueue<std::optional<SmsOnDtr>> smsAnswers;
    QStringList dialShown;
    QList<SmsOnDtr> smsShown;
    int drops = 0;
};

// A verbose Pike-3 answer: the information line framed as a modem does.
inline QByteArray Info(const QByteArray &line)
{
    return "\r\n" + line + "\r\n\r\nOK\r\n";
}

// A connected Pike-3 with the maker firmware and a ready SIM over the
// in-memory port at 9600 baud (poll unit 40: factor 3 waits 120 ticks).
class BasicPageTest : public ::testing::Test {
protected:
    BasicPageTest()
    {
        pump.Attach(&session);
        port.SetPortOpen(true);
        session.SetConnected(true);
        session.SetPollUnit(9600);
        session.SetPrompter(&prompts);
        session.SetDefaults();
        session.SetIdentity(Model::Pike3, true, false);
        session.SetSimStatus(1);
        session.SetLine(PortSettings{9600, 'N', 8, 1});
        session.Flags(PageId::Basic).added = true;
    }

    // Answers of a verbose modem with these settings: rings 2, V42bis,
    // MNP, 9600 V.110 non transparent, reset every 24 h, LED signal
    // strength, Auto PIN on with 1234, PIN lock on.
    void AnswerVerbose()
    {
        modem.Answer("AT", "\r\nOK\r\n");
        modem.Answer("ATS0?", "\r\n002\r\n\r\nOK\r\n");
        modem.Answer("AT%C?", "\r\n2\r\n\r\nOK\r\n");
        modem.Answer("AT+CLCK?", Info("+CLCK: (\"PS\",0),(\"SC\",1),(\"FD\",0)"));
        modem.Answer("AT*WPIN?", Info("*WPIN: 1,\"1234\""));
        modem.Answer("AT*WSTATLED?", Info("*WSTATLED: 1"));
        modem.Answer("AT+WRST?", Info("+WRST: 1,\"024:00\",\"023:59\""));
        modem.Answer("AT+CBST?", Info("+CBST: 71,0,1"));
        modem.Answer("AT\\N?", "\r\n5\r\n\r\nOK\r\n");
    }

    // Every set command of a write answered OK.
    void AcceptWrites(const QList<QByteArray> &commands)
    {
        for (const QByteArray &c : commands)
            modem.Answer(c, "\r\nOK\r\n");
    }

    // The command lines sent, without their CR; the probe's bare CR left out.
    QList<QByteArray> Commands() const { return port.CommandLines(); }
    // The commands sent from `from` on (an index into Commands()).
    QList<QByteArray> CommandsFrom(int from) const { return Commands().mid(from); }
    bool Sent(const QByteArray &command) const { return Commands().contains(command); }

    MemoryPort port;
    ScriptedPump pump;
    PageHost host;
    ScriptedPrompter prompts;
    ScriptedBasicDialogs dialogs;
    ModemSession session{&port, &host, &pump};
    FakeModem modem{&port, &pump};
    BasicLogic logic{session, prompts, dialogs, dialogs, dialogs};
};

} // namespace telvio::test
