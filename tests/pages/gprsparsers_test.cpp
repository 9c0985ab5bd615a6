// The GPRS page's answer tables and command formats: each command set's
// answers as modems send them (echo or not, a blank after the colon or
// not), the 27.007 shapes of real devices, and the set commands built from
// a record.
#include "pages/core/gprsparsers.h"
#include "pages/core/gprsrecord.h"
#include "support/fixtures.h"
#include "support/linerate.h"

#include <gtest/gtest.h>

using namespace telvio;
using namespace telvio::test;

namespace {

std::string CaseName(const char *name)
{
    return WordName(name);
}

const GprsQuery *RowOf(GprsCommandSet set, const char *command)
{
    for (const GprsQuery &q : GprsReadTable(set)) {
        if (QByteArray(q.command) == command)
            return &q;
    }
    return nullptr;
}

// A stored value as text, whatever its kind.
QByteArray Shown(const GprsSettingsRecord &r, GprsValue value)
{
    using namespace gprsfield;
    auto dotted = [&r](int offset) {
        const Octets o = RecordOctets(r, offset);
        return QByteArray::number(o[0]) + '.' + QByteArray::number(o[1]) + '.' + QByteArray::number(o[2]) + '.'
            + QByteArray::number(o[3]);
    };
    switch (value) {
    case GprsValue::Apn: return r.Text(Apn, ApnWidth);
    case GprsValue::UserName: return r.Text(UserName, UserNameWidth);
    case GprsValue::Password: return r.Text(Password, PasswordWidth);
    case GprsValue::Port: return r.Text(Port, PortWidth);
    case GprsValue::TxDelay: return r.Text(TxDelay, TxDelayWidth);
    case GprsValue::ServerIp: return dotted(ServerIp);
    case GprsValue::ClientIp: return dotted(ClientIp);
    case GprsValue::AutoConnect: return QByteArray::number(r.Int(AutoConnect));
    case GprsValue::ConnectionMode: return QByteArray::number(r.Int(ConnectionMode));
    case GprsValue::TcpStatus: return QByteArray::number(int8_t(r.Byte(TcpStatus)));
    case GprsValue::PingSync:
        return QByteArray::number(int8_t(r.Byte(SyncMode))) + ',' + QByteArray::number(r.Byte(SyncDelay)) + ','
            + QByteArray::number(r.Int(SyncIdle));
    case GprsValue::ContextState: break;
    }
    return QByteArray();
}

struct QueryCase {
    const char *name;
    GprsCommandSet set;
    const char *command;
    QByteArray answer;
    QByteArray stored;
};

void PrintTo(const QueryCase &c, std::ostream *os)
{
    *os << c.name;
}

class GprsQueryAnswers : public ::testing::TestWithParam<QueryCase> {};

TEST_P(GprsQueryAnswers, StoreWhatThePageShows)
{
    const QueryCase &c = GetParam();
    const GprsQuery *row = RowOf(c.set, c.command);
    ASSERT_NE(row, nullptr) << c.command;
    GprsSettingsRecord record;
    bool found = false;
    const QByteArray cut = CutGprsValue(c.answer, row->keyword, row->skip, row->cutAtCr, &found);
    EXPECT_TRUE(found);
    StoreGprsValue(record, *row, cut);
    EXPECT_EQ(Shown(record, row->value), c.stored);
}

const QByteArray kLong(150, 'a');

INSTANTIATE_TEST_SUITE_P(
    Gprs, GprsQueryAnswers,
    ::testing::Values(
        QueryCase{"tcp firmware name in quotes", GprsCommandSet::TcpFirmware, "AT*WGPRSAPN?",
                  "\r\n*WGPRSAPN: \"internet\"\r\n\r\nOK\r\n", "internet"},
        QueryCase{"tcp firmware name after the echo", GprsCommandSet::TcpFirmware, "AT*WGPRSAPN?",
                  "AT*WGPRSAPN?\r\r\n*WGPRSAPN: \"internet\"\r\n\r\nOK\r\n", "internet"},
        QueryCase{"tcp firmware name without a blank after the colon", GprsCommandSet::TcpFirmware, "AT*WGPRSAPN?",
                  "\r\n*WGPRSAPN:\"web\"\r\n\r\nOK\r\n", "web"},
        QueryCase{"tcp firmware one character name stays whole", GprsCommandSet::TcpFirmware, "AT*WGPRSAPN?",
                  "\r\n*WGPRSAPN: x\r\n\r\nOK\r\n", "x"},
        QueryCase{"tcp firmware empty name", GprsCommandSet::TcpFirmware, "AT*WGPRSAPN?",
                  "\r\n*WGPRSAPN: \"\"\r\n\r\nOK\r\n", ""},
        QueryCase{"tcp firmware name longer than its field is cut to it", GprsCommandSet::TcpFirmware,
                  "AT*WGPRSAPN?", "\r\n*WGPRSAPN: \"" + kLong + "\"\r\n\r\nOK\r\n", kLong.left(103)},
        QueryCase{"tcp firmware user name longer than its field", GprsCommandSet::TcpFirmware, "AT*WGPRSUN?",
                  "\r\n*WGPRSUN: \"" + kLong + "\"\r\n\r\nOK\r\n", kLong.left(51)},
        QueryCase{"tcp firmware password keeps its blanks", GprsCommandSet::TcpFirmware, "AT*WGPRSPW?",
                  "\r\n*WGPRSPW: \"se cret\"\r\n\r\nOK\r\n", "se cret"},
        QueryCase{"tcp firmware server address", GprsCommandSet::TcpFirmware, "AT*WTCPSERV?",
                  "\r\n*WTCPSERV: \"10.0.0.1\"\r\n\r\nOK\r\n", "10.0.0.1"},
        QueryCase{"tcp firmware server address with a part missing", GprsCommandSet::TcpFirmware, "AT*WTCPSERV?",
                  "\r\n*WTCPSERV: \"10.0.1\"\r\n\r\nOK\r\n", "10.0.1.0"},
        QueryCase{"tcp firmware octets above 255 keep their low byte", GprsCommandSet::TcpFirmware,
                  "AT*WTCPSERV?", "\r\n*WTCPSERV: \"300.1.1.257\"\r\n\r\nOK\r\n", "44.1.1.1"},
        QueryCase{"tcp firmware client address without quotes", GprsCommandSet::TcpFirmware, "AT*WTCPCLIENTIP?",
                  "\r\n*WTCPCLIENTIP: 192.168.1.20\r\n\r\nOK\r\n", "192.168.1.20"},
        QueryCase{"tcp firmware port", GprsCommandSet::TcpFirmware, "AT*WTCPPORT?",
                  "\r\n*WTCPPORT: 9000\r\n\r\nOK\r\n", "9000"},
        QueryCase{"tcp firmware port without a blank", GprsCommandSet::TcpFirmware, "AT*WTCPPORT?",
                  "\r\n*WTCPPORT:9000\r\n\r\nOK\r\n", "9000"},
        QueryCase{"tcp firmware delay longer than its field", GprsCommandSet::TcpFirmware, "AT*WTCPTXDELAY?",
                  "\r\n*WTCPTXDELAY: 1234567890\r\n\r\nOK\r\n", "1234567"},
        QueryCase{"tcp firmware auto connect", GprsCommandSet::TcpFirmware, "AT*WTCPCONNECT?",
                  "\r\n*WTCPCONNECT: 2\r\n\r\nOK\r\n", "2"},
        QueryCase{"tcp firmware connection mode", GprsCommandSet::TcpFirmware, "AT*WTCPMODE?",
                  "AT*WTCPMODE?\r\r\n*WTCPMODE:1\r\n\r\nOK\r\n", "1"},
        QueryCase{"tcp firmware ping sync", GprsCommandSet::TcpFirmware, "AT*WTCPPINGSYNC?",
                  "\r\n*WTCPPINGSYNC: 0,5,20\r\n\r\nOK\r\n", "0,5,20"},
        QueryCase{"tcp firmware ping sync mode above one is on, delay its low byte", GprsCommandSet::TcpFirmware,
                  "AT*WTCPPINGSYNC?", "\r\n*WTCPPINGSYNC: 3,300,40000\r\n\r\nOK\r\n", "1,44,40000"},
        QueryCase{"tcp firmware status information", GprsCommandSet::TcpFirmware, "AT*WTCPI?",
                  "\r\n*WTCPI: 1\r\n\r\nOK\r\n", "1"},
        QueryCase{"ip stack name loses quotes and blanks", GprsCommandSet::IpStack, "AT#APNSERV?",
                  "\r\n#APNSERV: \"my apn\"\r\n\r\nOK\r\n", "myapn"},
        QueryCase{"ip stack name after the echo", GprsCommandSet::IpStack, "AT#APNSERV?",
                  "AT#APNSERV?\r\r\n#APNSERV: \"web\"\r\n\r\nOK\r\n", "web"},
        QueryCase{"ip stack user name", GprsCommandSet::IpStack, "AT#APNUN?", "\r\n#APNUN: \"guest\"\r\n\r\nOK\r\n",
                  "guest"},
        QueryCase{"ip stack empty server is none", GprsCommandSet::IpStack, "AT#TCPSERV?",
                  "\r\n#TCPSERV: \"\"\r\n\r\nOK\r\n", "0.0.0.0"},
        QueryCase{"ip stack server", GprsCommandSet::IpStack, "AT#TCPSERV?",
                  "\r\n#TCPSERV: \"10.0.0.1\"\r\n\r\nOK\r\n", "10.0.0.1"},
        QueryCase{"ip stack delay", GprsCommandSet::IpStack, "AT#TCPTXDELAY?", "\r\n#TCPTXDELAY: 100\r\n\r\nOK\r\n",
                  "100"},
        QueryCase{"ip stack port without a blank", GprsCommandSet::IpStack, "AT#TCPPORT?",
                  "\r\n#TCPPORT:1234\r\n\r\nOK\r\n", "1234"}),
    [](const ::testing::TestParamInfo<QueryCase> &info) { return CaseName(info.param.name); });

TEST(GprsParsers, ContextStateIsConnectedOnlyWhenSaidSo)
{
    const GprsQuery *row = RowOf(GprsCommandSet::IpStack, "AT#VSTATE");
    ASSERT_NE(row, nullptr);
    auto state = [row](const QByteArray &answer) {
        return CleanGprsValue(CutGprsValue(answer, row->keyword, row->skip, row->cutAtCr), row->cleaning);
    };
    EXPECT_EQ(state("\r\n#STATE: \"CONNECTED\"\r\n\r\nOK\r\n"), "CONNECTED");
    EXPECT_EQ(state("AT#VSTATE\r\r\n#STATE: \"IDLE\"\r\n\r\nOK\r\n"), "IDLE");
    // The echo "AT#VSTATE" holds no "#STATE:".
    EXPECT_EQ(state("AT#VSTATE\r\r\nOK\r\n"), "");
}

TEST(GprsParsers, AValueNeverRunsIntoTheNextLine)
{
    bool found = false;
    EXPECT_EQ(CutGprsValue("\r\n*WTCPPORT: 9000\r\n\r\nOK\r\n", "WTCPPORT:", 10, true, &found), "9000");
    EXPECT_TRUE(found);
    EXPECT_EQ(CutGprsValue("\r\nOK\r\n", "WTCPPORT:", 10, true, &found), "");
    EXPECT_FALSE(found);
    // Answers that end right after the keyword.
    EXPECT_EQ(CutGprsValue("*WTCPPORT:", "WTCPPORT:", 10, true), "");
    EXPECT_EQ(CutGprsValue("*WTCPPORT: ", "WTCPPORT:", 10, true), "");
}

// --- 27.007 answers -----------------------------------------------------------

struct CgdcontCase {
    const char *name;
    QByteArray answer;
    QByteArray apn;
};

void PrintTo(const CgdcontCase &c, std::ostream *os)
{
    *os << c.name;
}

class CgdcontAnswers : public ::testing::TestWithParam<CgdcontCase> {};

TEST_P(CgdcontAnswers, NameOfContextOne)
{
    EXPECT_EQ(ParseCgdcontApn(GetParam().answer), GetParam().apn);
}

INSTANTIATE_TEST_SUITE_P(
    Gprs, CgdcontAnswers,
    ::testing::Values(
        CgdcontCase{"full line", "\r\n+CGDCONT: 1,\"IP\",\"internet\",\"0.0.0.0\",0,0\r\n\r\nOK\r\n", "internet"},
        CgdcontCase{"echo first", "AT+CGDCONT?\r\r\n+CGDCONT: 1,\"IP\",\"web\",\"\",0,0\r\n\r\nOK\r\n", "web"},
        CgdcontCase{"no blank after the colon", "\r\n+CGDCONT:1,\"IP\",\"web\",\"\",0,0\r\n\r\nOK\r\n", "web"},
        CgdcontCase{"only the name, no address fields, more contexts after",
                    "\r\n+CGDCONT: 1,\"IP\",\"a.b\"\r\n+CGDCONT: 2,\"IP\",\"c.d\"\r\n\r\nOK\r\n", "a.b"},
        CgdcontCase{"context one after another", "\r\n+CGDCONT: 2,\"IP\",\"two\"\r\n+CGDCONT: 1,\"IP\",\"one\"\r\n",
                    "one"},
        CgdcontCase{"context eleven is not one", "\r\n+CGDCONT: 11,\"IP\",\"eleven\"\r\n\r\nOK\r\n", ""},
        CgdcontCase{"no context defined", "\r\nOK\r\n", ""},
        CgdcontCase{"refused", "\r\n+CME ERROR: 10\r\n", ""},
        CgdcontCase{"a carriage return ends the line", "+CGDCONT: 1,\"IP\",\"a\rb\",\"\",0,0\r\n", "a"},
        CgdcontCase{"numeric mode", "+CGDCONT: 1,\"IP\",\"web\",\"0.0.0.0\",0,0\r\n0\r", "web"}),
    [](const ::testing::TestParamInfo<CgdcontCase> &info) { return CaseName(info.param.name); });

TEST(GprsParsers, RealDevicesContextAnswers)
{
    int seen = 0;
    for (const RealAnswer &a : LoadRealAnswers()) {
        if (a.command != "AT+CGDCONT?")
            continue;
        ++seen;
        const QByteArray apn = ParseCgdcontApn(a.answer);
        // An empty unquoted name is empty; otherwise the first context's.
        const QByteArray expected = a.answer.contains("1,\"IP\",,") ? QByteArray() : QByteArray("nate.sktelecom.com");
        EXPECT_EQ(apn, expected) << qPrintable(a.source);
    }
    EXPECT_GE(seen, 3);
}

TEST(GprsParsers, AttachStateAnswers)
{
    EXPECT_EQ(ParseCgattAnswer("\r\n+CGATT: 1\r\n\r\nOK\r\n"), 1);
    // The framing of a real device's answer, echo included.
    EXPECT_EQ(ParseCgattAnswer("AT+CGATT?\r\r\n+CGATT: 1\r\n\r\nOK\r\n"), 1);
    EXPECT_EQ(ParseCgattAnswer("\r\n+CGATT:0\r\n\r\nOK\r\n"), 0);
    EXPECT_EQ(ParseCgattAnswer("\r\n+CME ERROR: 10\r\n"), 0);
    for (const RealAnswer &a : LoadRealAnswers()) {
        if (a.command == "AT+CGATT=?")
            EXPECT_EQ(ParseCgattAnswer(a.answer), 0) << "a range is no state";
    }
}

TEST(GprsParsers, StatusConnectedOnlyWithoutDisconnected)
{
    EXPECT_TRUE(IpStatusConnected("\r\n*WIPSTATUS: CONNECTED\r\n\r\nOK\r\n"));
    EXPECT_FALSE(IpStatusConnected("\r\n*WIPSTATUS: DISCONNECTED\r\n\r\nOK\r\n"));
    EXPECT_FALSE(IpStatusConnected("\r\n*WIPSTATUS: CONNECTING\r\n\r\nOK\r\n"));
    EXPECT_FALSE(IpStatusConnected("\r\nERROR\r\n"));
}

TEST(GprsParsers, PingConfigBothWays)
{
    const PingConfig c = ParsePingConfig("AT*WPINGCONFIG?\r\r\n*WPINGCONFIG: 2,4,\"10.0.0.1\"\r\n\r\nOK\r\n");
    EXPECT_EQ(c.delay, 2);
    EXPECT_EQ(c.count, 4);
    EXPECT_EQ(c.address, (Octets{10, 0, 0, 1}));
    EXPECT_EQ(FormatPingConfig(c), "AT*WPINGCONFIG=2,4,\"10.0.0.1\"");
    const PingConfig shortAnswer = ParsePingConfig("\r\n*WPINGCONFIG:3\r\n\r\nOK\r\n");
    EXPECT_EQ(shortAnswer.delay, 3);
    EXPECT_EQ(shortAnswer.count, 0);
    EXPECT_EQ(shortAnswer.address, Octets{});
}

// --- set commands -------------------------------------------------------------

QList<QByteArray> Commands(GprsCommandSet set, const GprsSettingsRecord &record)
{
    QList<QByteArray> out;
    for (const GprsSetting &s : GprsWriteTable(set))
        out << FormatGprsSetting(s, record).value_or("<refused>");
    return out;
}

GprsSettingsRecord SampleRecord()
{
    using namespace gprsfield;
    GprsSettingsRecord r;
    r.SetText(Apn, ApnWidth, "internet");
    r.SetText(UserName, UserNameWidth, "user");
    r.SetText(Password, PasswordWidth, "pw");
    SetRecordOctets(r, ServerIp, {10, 0, 0, 1});
    r.SetText(Port, PortWidth, "9000");
    r.SetText(TxDelay, TxDelayWidth, "100");
    r.SetInt(AutoConnect, 2);
    r.SetInt(ConnectionMode, 1);
    SetRecordOctets(r, ClientIp, {192, 168, 0, 7});
    r.SetByte(TcpStatus, 1);
    r.SetByte(SyncMode, 1);
    r.SetByte(SyncDelay, 255);
    r.SetInt(SyncIdle, 32767);
    return r;
}

TEST(GprsFormats, TcpFirmwareSendsEveryValueInOrder)
{
    EXPECT_EQ(Commands(GprsCommandSet::TcpFirmware, SampleRecord()),
              (QList<QByteArray>{"AT*WGPRSAPN=\"internet\"", "AT*WGPRSUN=\"user\"", "AT*WGPRSPW=\"pw\"",
                                 "AT*WTCPSERV=\"10.0.0.1\"", "AT*WTCPPORT=9000", "AT*WTCPTXDELAY=100",
                                 "AT*WTCPCONNECT=2", "AT*WTCPMODE=1", "AT*WTCPCLIENTIP=\"192.168.0.7\"",
                                 "AT*WTCPI=1", "AT*WTCPPINGSYNC=1,255,32767"}));
}

TEST(GprsFormats, IpStackSendsNoServerAsAnEmptyText)
{
    GprsSettingsRecord r = SampleRecord();
    EXPECT_EQ(Commands(GprsCommandSet::IpStack, r),
              (QList<QByteArray>{"AT#APNSERV=\"internet\"", "AT#APNUN=\"user\"", "AT#APNPW=\"pw\"",
                                 "AT#TCPSERV=\"10.0.0.1\"", "AT#TCPTXDELAY=100", "AT#TCPPORT=9000"}));
    SetRecordOctets(r, gprsfield::ServerIp, Octets{});
    EXPECT_EQ(Commands(GprsCommandSet::IpStack, r).at(3), "AT#TCPSERV=\"\"");
    // The TCP firmware has no such rule: 0.0.0.0 is sent as it is.
    EXPECT_EQ(Commands(GprsCommandSet::TcpFirmware, r).at(3), "AT*WTCPSERV=\"0.0.0.0\"");
}

TEST(GprsFormats, TextsThatWouldLeaveTheirQuotesAreRefused)
{
    for (const QByteArray &bad : {QByteArray("a\"b"), QByteArray("a\rATZ"), QByteArray("a\nb"), QByteArray("a\x1a")}) {
        GprsSettingsRecord r = SampleRecord();
        r.SetText(gprsfield::Password, gprsfield::PasswordWidth, bad);
        EXPECT_EQ(Commands(GprsCommandSet::TcpFirmware, r).at(2), "<refused>");
        EXPECT_FALSE(FormatCgdcontCommand(bad));
    }
    // Unquoted values from a profile file: only digits go out.
    GprsSettingsRecord r = SampleRecord();
    r.SetText(gprsfield::Port, gprsfield::PortWidth, "1;+CFUN");
    EXPECT_EQ(Commands(GprsCommandSet::IpStack, r).at(5), "<refused>");
}

TEST(GprsFormats, PlainContextDefinitionOrRemoval)
{
    EXPECT_EQ(FormatCgdcontCommand("web"), QByteArray("AT+CGDCONT=1,\"IP\",\"web\",\"0.0.0.0\",0,0"));
    EXPECT_EQ(FormatCgdcontCommand(""), QByteArray("AT+CGDCONT=1"));
    EXPECT_TRUE(GprsWriteTable(GprsCommandSet::PlainGprs).isEmpty());
    EXPECT_TRUE(GprsReadTable(GprsCommandSet::PlainGprs).isEmpty());
}

} // namespace
