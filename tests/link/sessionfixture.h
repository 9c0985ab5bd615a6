#pragma once

#include "link/core/modemsession.h"
#include "link/core/sessionhost.h"
#include "support/fakemodem.h"
#include "support/memoryport.h"
#include "support/scriptedpump.h"

#include <gtest/gtest.h>

namespace telvio::test {

// Remembers what the session showed in the terminal and the panel.
class RecordingHost : public SessionHost {
public:
    void RefreshStatusPanel() override { ++refreshes; }
    void AppendTerminal(const QByteArray &text) override { terminal += text; }
    void SetActivePage(PageId page) override { active.append(page); }
    QByteArray terminal;
    QList<PageId> active;
    int refreshes = 0;
};

// A connected session over the in-memory port at 9600 baud (poll unit 40).
class SessionTest : public ::testing::Test {
protected:
    SessionTest()
    {
        pump.Attach(&session);
        port.SetPortOpen(true);
        session.SetConnected(true);
        session.SetPollUnit(9600);
    }

    MemoryPort port;
    ScriptedPump pump;
    RecordingHost host;
    ModemSession session{&port, &host, &pump};
    FakeModem modem{&port, &pump};
};

} // namespace telvio::test
