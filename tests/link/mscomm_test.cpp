#include "link/core/mscomm.h"
#include "support/pty.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace telvio;
using namespace telvio::test;

namespace {

// Serves events until `done` holds or `ms` pass.
template <typename Pred>
bool ServeUntil(Pred done, int ms = 2000)
{
    QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    return done();
}

class PtyPort : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.Ok());
        comm.SetCommPort(pty.SlavePath());
    }
    Pty pty;
    CMSComm comm;
};

TEST_F(PtyPort, OpensAPseudoTerminalWhateverFramingIsAsked)
{
    // A pty carries neither parity nor 7 data bits; that must not stop the
    // simulator from being reached. Rate and stop bits do reach the line.
    ASSERT_TRUE(comm.SetSettings("19200,E,7,2"));
    ASSERT_TRUE(comm.SetPortOpen(true)) << comm.ErrorText().toStdString();
    EXPECT_TRUE(comm.IsPseudoTerminal());
    EXPECT_EQ(pty.Speed(), 19200);
    EXPECT_TRUE(pty.TwoStopBits());
    comm.SetDTREnable(false); // refused by a pty: harmless
    comm.SetRTSEnable(false);
    EXPECT_TRUE(comm.PortOpen());

    // Changing the settings of the open port reaches the line at once.
    EXPECT_TRUE(comm.SetSettings("115200,N,8,1"));
    EXPECT_EQ(pty.Speed(), 115200);
    EXPECT_FALSE(pty.TwoStopBits());
}

TEST_F(PtyPort, MovesBytesBothWays)
{
    ASSERT_TRUE(comm.SetPortOpen(true));
    comm.SetOutput("AT\r");
    EXPECT_EQ(comm.OutBufferCount(), 0);
    EXPECT_EQ(pty.Read(1000), QByteArray("AT\r"));
    pty.Write("\r\nOK\r\n");
    QByteArray got;
    ServeUntil([&] { got += comm.Input(); return got.size() >= 6; });
    EXPECT_EQ(got, QByteArray("\r\nOK\r\n"));
}

TEST_F(PtyPort, ReceiveEventsOnlyWithAThreshold)
{
    ASSERT_TRUE(comm.SetPortOpen(true));
    QSignalSpy events(&comm, &CommControl::OnComm);
    comm.SetRThreshold(0);
    pty.Write("RING\r\n");
    ServeUntil([] { return false; }, 200);
    EXPECT_EQ(events.count(), 0);
    // Input that waited while events were off is announced once they are on.
    comm.SetRThreshold(1);
    ASSERT_TRUE(ServeUntil([&] { return events.count() > 0; }));
    EXPECT_EQ(comm.CommEvent(), int(CommControl::EvReceive));
    EXPECT_EQ(comm.Input(), QByteArray("RING\r\n"));
}

TEST_F(PtyPort, HangUpTakesTheLinkDownOnce)
{
    ASSERT_TRUE(comm.SetPortOpen(true));
    QSignalSpy lost(&comm, &CommControl::LinkLost);
    pty.HangUp();
    ASSERT_TRUE(ServeUntil([&] { return lost.count() > 0; }));
    // Give a flood a chance to show itself.
    ServeUntil([] { return false; }, 300);
    EXPECT_EQ(lost.count(), 1);
    EXPECT_FALSE(comm.PortOpen());
    EXPECT_TRUE(comm.Input().isEmpty());
    comm.SetOutput("AT\r"); // harmless on a closed port
}

TEST(SerialPort, OpeningAMissingDeviceFailsWithAReason)
{
    CMSComm comm;
    comm.SetCommPort("/dev/telvio-no-such-port");
    EXPECT_FALSE(comm.SetPortOpen(true));
    EXPECT_FALSE(comm.PortOpen());
    EXPECT_TRUE(comm.ErrorText().contains("telvio-no-such-port"));
    EXPECT_FALSE(comm.SetSettings("fast,N,8,1"));
}

} // namespace
