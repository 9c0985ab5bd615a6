// The session log's lines on a recorded exchange: stamps, directions,
// escapes, line breaks and the unsolicited marks.
#include "link/core/sessionlog.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using telvio::SessionLog;
using telvio::TraceDirection;

class SessionLogFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = dir.filePath("session.log");
        ASSERT_TRUE(log.Open(path, nullptr));
        log.SetClock([this] { return QStringLiteral("2026-03-04 10:15:02.%1").arg(++ms, 3, 10, QLatin1Char('0')); });
    }
    // What the file holds now, without closing the log: every line is
    // there as soon as it is complete.
    QStringList Lines() const
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    void Sent(const QByteArray &b) { log.Record(TraceDirection::Sent, b); }
    void Received(const QByteArray &b) { log.Record(TraceDirection::Received, b); }

    QTemporaryDir dir;
    QString path;
    SessionLog log;
    int ms = 0;
};

TEST_F(SessionLogFile, RecordedExchangeWithUnsolicitedLines)
{
    Sent("AT+CREG?\r");
    // Arrives in pieces, as a real UART delivers it.
    Received("AT+CREG?\r\r\n+CR");
    Received("EG: 0,1\r\n\r\nOK\r\n");
    Received("\r\nRING\r\n");
    Received("\r\n+CREG: 1\r\n");
    Sent("AT*WPING\r");
    Received("AT*WPING\r\r\nOK\r\n\r\n*WPING: 1,\"10.0.0.1\",TIME=45\r\n");
    Sent("AT+CMGS=\"123\"\r");
    Received("\r\n> "); // no line feed: written when the direction changes
    Sent("hi\x1a");

    EXPECT_EQ(Lines(), (QStringList{
                           "2026-03-04 10:15:02.001 >> AT+CREG?<CR>",
                           "2026-03-04 10:15:02.002 << AT+CREG?<CR><CR><LF>",
                           "2026-03-04 10:15:02.003 << +CREG: 0,1<CR><LF>",
                           "2026-03-04 10:15:02.004 << <CR><LF>OK<CR><LF>",
                           "2026-03-04 10:15:02.005 << unsolicited <CR><LF>RING<CR><LF>",
                           "2026-03-04 10:15:02.006 << unsolicited <CR><LF>+CREG: 1<CR><LF>",
                           "2026-03-04 10:15:02.007 >> AT*WPING<CR>",
                           "2026-03-04 10:15:02.008 << AT*WPING<CR><CR><LF>",
                           "2026-03-04 10:15:02.009 << OK<CR><LF>",
                           "2026-03-04 10:15:02.010 << unsolicited <CR><LF>*WPING: 1,\"10.0.0.1\",TIME=45<CR><LF>",
                           "2026-03-04 10:15:02.011 >> AT+CMGS=\"123\"<CR>",
                           "2026-03-04 10:15:02.012 << <CR><LF>> ",
                           "2026-03-04 10:15:02.013 >> hi<SUB>",
                       }));
}

TEST_F(SessionLogFile, LabelNamesThePortAndReopeningAppends)
{
    log.SetLabel("/dev/ttyUSB3");
    Sent("AT\r");
    log.Close();
    ASSERT_TRUE(log.Open(path, nullptr));
    Received("OK\r\n");
    EXPECT_EQ(Lines(), (QStringList{"2026-03-04 10:15:02.001 /dev/ttyUSB3 >> AT<CR>",
                                    "2026-03-04 10:15:02.002 /dev/ttyUSB3 << OK<CR><LF>"}));
}

TEST(SessionLogUnsolicited, AnswerOrUnsolicited)
{
    const struct {
        const char *name;
        QByteArray line;
        QByteArray command;
        bool open;
        bool unsolicited;
    } cases[] = {
        {"registration asked", "+CREG: 0,1", "AT+CREG?\r", true, false},
        {"registration after the answer", "+CREG: 0,1", "AT+CREG?\r", false, true},
        {"registration during another command", "+CREG: 1", "AT+CSQ\r", true, true},
        {"ring always", "RING", "ATA\r", true, true},
        {"wind asked", "+WIND: 255", "at+wind?\r", true, false},
        {"ping result", "*WPING: 1,\"1.2.3.4\",TIME=45", "AT*WPING\r", true, true},
        {"an answer", "+CSQ: 20,0", "AT+CSQ\r", true, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SessionLog::Unsolicited(c.line, c.command, c.open), c.unsolicited) << c.name;
}

TEST(SessionLogOpen, UnwritablePathSaysWhy)
{
    SessionLog log;
    QString error;
    EXPECT_FALSE(log.Open(QStringLiteral("/nonexistent-dir/x.log"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(log.IsOpen());
}

} // namespace
