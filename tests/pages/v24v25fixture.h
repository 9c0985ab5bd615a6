#pragma once

#include "link/core/modemsession.h"
#include "link/core/sessionhost.h"
#include "pages/core/v24v25logic.h"
#include "shell/core/scriptedprompter.h"
#include "support/memoryport.h"
#include "support/scriptedpump.h"

#include <gtest/gtest.h>

namespace telvio::test {

// Remembers what the session showed: status bar updates, the message
// window, the port settings given to the Connection page.
class SerialPageHost : public SessionHost {
public:
    void UpdateStatusBar() override { ++barUpdates; }
    void ShowMessageWindow(const QString &text) override
    {
        windows << text;
        ++openWindows;
    }
    void CloseMessageWindow() override
    {
        if (openWindows > 0)
            --openWindows;
    }
    void ShowPortSettings(const QString &baud, QChar parity, const QString &dataBits,
                          const QString &stopBits) override
    {
        shownSettings << QStringLiteral("%1,%2,%3,%4").arg(baud, QString(parity), dataBits, stopBits);
    }

    int barUpdates = 0;
    QStringList windows;
    int openWindows = 0;
    QStringList shownSettings;
};

// The Serial page's logic on a session connected at 9600 8N1 over the
// in-memory port, with a controllable clock and scripted prompts. Tests
// put the modem they need behind the port.
class SerialPageTest : public ::testing::Test {
protected:
    SerialPageTest()
    {
        pump.Attach(&session);
        port.SetSettings(QStringLiteral("9600,N,8,1"));
        port.SetPortOpen(true);
        session.SetConnected(true);
        session.baudText = QStringLiteral("9600");
        session.parity = QLatin1Char('N');
        session.dataBitsText = QStringLiteral("8");
        session.stopBitsText = QStringLiteral("1");
        session.SetPollUnit(9600);
        session.options.tooltip = 1;
        session.SetPrompter(&prompts);
    }

    PageFlags &Flags() { return session.Flags(PageId::Serial); }
    int Selected(SerialField field) const { return logic.form.List(field).current; }
    void Choose(SerialField field, int position)
    {
        logic.form.List(field).current = position;
        logic.Command(SerialCommand::ListChosen);
    }
    // Lines written to the modem, without their CR.
    QList<QByteArray> Sent() const
    {
        QList<QByteArray> lines;
        for (QByteArray w : port.Writes()) {
            if (w.endsWith('\r'))
                w.chop(1);
            lines << w;
        }
        return lines;
    }

    MemoryPort port;
    ScriptedPump pump;
    SerialPageHost host;
    ScriptedPrompter prompts;
    ModemSession session{&port, &host, &pump};
    V24v25Logic logic{session, prompts};
};

} // namespace telvio::test
