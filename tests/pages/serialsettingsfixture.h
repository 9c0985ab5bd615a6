#pragma once

#include "link/core/modemsession.h"
#include "pages/core/serialsettingslogic.h"
#include "pages/pagehost.h"
#include "support/scriptedprompter.h"
#include "support/memoryport.h"
#include "support/scriptedpump.h"

#include <gtest/gtest.h>

namespace telvio::test {

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
        session.SetLine(PortSettings{9600, 'N', 8, 1});
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
    PageHost host;
    ScriptedPrompter prompts;
    ModemSession session{&port, &host, &pump};
    SerialSettingsLogic logic{session, prompts};
};

} // namespace telvio::test
