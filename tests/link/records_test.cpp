#include "link/core/modemsession.h"
#include "link/core/portlist.h"
#include "link/core/portsettings.h"
#include "link/core/trace.h"
#include "link/sessionfixture.h"
#include "shell/core/options.h"

#include <QSettings>
#include <QTemporaryDir>

using namespace telvio;
using namespace telvio::test;

namespace {

TEST(SettingsRecord, IntegersAreLittleEndianAndBounded)
{
    BasicSettingsRecord r;
    r.SetInt(20, 0x01020304);
    EXPECT_EQ(r.Byte(20), 0x04);
    EXPECT_EQ(r.Byte(23), 0x01);
    EXPECT_EQ(r.Int(20), 0x01020304);
    r.SetInt(0, -1);
    EXPECT_EQ(r.Int(0), -1);
    EXPECT_EQ(r.Byte(3), 0xFF);
    // Out of range: ignored, never written past the block.
    r.SetInt(78, 7);
    r.SetInt(-4, 7);
    EXPECT_EQ(r.Int(78), 0);
    EXPECT_EQ(r.Byte(79), 0);
}

TEST(SettingsRecord, TextsAreCutToTheirFieldAndZeroPadded)
{
    BasicSettingsRecord r;
    r.SetText(4, 8, "12345678901");
    EXPECT_EQ(r.Text(4, 8), QByteArray("1234567"));
    EXPECT_EQ(r.Byte(11), 0);
    EXPECT_EQ(r.Int(12), 0); // the next field is untouched
    r.SetText(4, 8, "12");
    EXPECT_EQ(r.Bytes().mid(4, 8), QByteArray("12\0\0\0\0\0\0", 8));
    // A loaded block without a NUL in the field reads to the field's end.
    QByteArray raw(80, 'A');
    ASSERT_TRUE(r.SetBytes(raw));
    EXPECT_EQ(r.Text(4, 8), QByteArray("AAAAAAAA"));
    EXPECT_FALSE(r.SetBytes(QByteArray(79, 0)));
}

TEST_F(SessionTest, DefaultsFillTheRecordsByteForByte)
{
    session.basicRecord.SetInt(0, 77);
    session.SetDefaults();
    EXPECT_EQ(session.basicRecord.Int(0), 0);
    EXPECT_EQ(session.basicRecord.Int(20), 1);
    EXPECT_EQ(session.basicRecord.Text(28, 12), QByteArray("024:00"));
    EXPECT_EQ(session.basicRecord.Int(44), 2);
    for (int off : {0, 8, 20})
        EXPECT_EQ(session.serialRecord.Int(off), 1) << off;
    EXPECT_EQ(session.serialRecord.Int(32), 4);
    EXPECT_EQ(session.serialRecord.Int(40), 10);
    EXPECT_EQ(session.smsRecord.Int(196), 1);
    EXPECT_EQ(session.gprsRecord.Text(52, 8), QByteArray("9000"));
    EXPECT_EQ(session.gprsRecord.Text(116, 8), QByteArray("100"));
    EXPECT_EQ(session.gprsRecord.Byte(516), 1);
    EXPECT_EQ(session.gprsRecord.Byte(517), 5);
    EXPECT_EQ(session.gprsRecord.Int(520), 20);
    EXPECT_EQ(session.ioRecord.Text(0, 4), QByteArray("5"));
    EXPECT_EQ(session.ioRecord.Text(4, 4), QByteArray("10"));
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(session.ioRecord.Text(24 + 4 * k, 4), QByteArray("0"));
    EXPECT_EQ(session.ioRecord.Int(64), 0);
    EXPECT_EQ(session.callbackRecord.Text(4, 4), QByteArray("0"));
    EXPECT_EQ(session.callbackRecord.Int(0), 0);
}

TEST_F(SessionTest, DisconnectClosesAndResetsTheLinkWithoutSending)
{
    session.SetLine(PortSettings{9600, 'N', 8, 1});
    session.SetIdentity(Model::Pike3, true, true);
    session.SetQuiet(1);
    session.SetTerminalOnly(true);
    EXPECT_TRUE(session.Disconnect());
    EXPECT_FALSE(port.PortOpen());
    EXPECT_FALSE(session.LinkUp());
    EXPECT_EQ(session.BaudText(), QString("-"));
    EXPECT_EQ(session.Parity(), QChar('-'));
    EXPECT_EQ(session.DataBitsText(), QString("-"));
    EXPECT_EQ(session.StopBitsText(), QString("-"));
    EXPECT_EQ(session.Traits().model, Model::Unknown);
    EXPECT_EQ(session.Quiet(), 0);
    EXPECT_FALSE(session.TerminalOnly());
    EXPECT_TRUE(port.Writes().isEmpty());
    EXPECT_EQ(host.active.last(), PageId::Connection);
}

TEST_F(SessionTest, ApplyPortSettingsSetsTheControlAndThePollUnit)
{
    session.SetLine(PortSettings{115200, 'E', 7, 1});
    session.ApplyPortSettings();
    EXPECT_EQ(port.Settings(), QString("115200,E,7,1"));
    EXPECT_EQ(session.PollUnit(), 20);
    EXPECT_GE(host.refreshes, 1);
}

TEST(PortList, FixedCandidatesWhateverExists)
{
    const QList<PortEntry> ports = CandidatePorts(false, 16, {}, nullptr);
    ASSERT_EQ(ports.size(), 16);
    EXPECT_EQ(ports.first().path, QString("/dev/ttyS0"));
    EXPECT_EQ(ports.last().path, QString("/dev/ttyS15"));
    EXPECT_EQ(ports.first().Label(), QString("ttyS0"));
    EXPECT_EQ(CandidatePorts(false, 4, {}, nullptr).size(), 4);
}

TEST(PortList, CommandLinePortsComeFirstAndOnce)
{
    const QList<PortEntry> ports = CandidatePorts(false, 2, {"/dev/pts/7", "/dev/ttyS1"}, nullptr);
    ASSERT_EQ(ports.size(), 3);
    EXPECT_EQ(ports.at(0).path, QString("/dev/pts/7"));
    EXPECT_EQ(ports.at(0).Label(), QString("pts/7"));
    EXPECT_EQ(ports.at(1).path, QString("/dev/ttyS1"));
    EXPECT_EQ(ports.at(2).path, QString("/dev/ttyS0"));
    // Asking the system still offers the extra ports.
    EXPECT_EQ(CandidatePorts(true, 16, {"/dev/pts/7"}, nullptr).first().path, QString("/dev/pts/7"));
}

TEST_F(SessionTest, EnumeratePortsFollowsTheOptions)
{
    session.options.searchPorts = 0;
    session.options.numberOfPorts = 15;
    QList<PortEntry> ports{PortEntry{"stale"}};
    session.EnumeratePorts(ports);
    EXPECT_EQ(ports.size(), 16);
    session.options.numberOfPorts = 3;
    session.EnumeratePorts(ports);
    EXPECT_EQ(ports.size(), 4);
}

TEST(PortSettingsText, ParsesAndRefuses)
{
    PortSettings s;
    ASSERT_TRUE(PortSettings::Parse("19200,e,7,2", &s));
    EXPECT_EQ(s.baud, 19200);
    EXPECT_EQ(s.parity, 'E');
    EXPECT_EQ(s.dataBits, 7);
    EXPECT_EQ(s.stopBits, 2);
    EXPECT_EQ(s.ToString(), QString("19200,E,7,2"));
    for (const char *bad : {"", "9600,N,8", "9600,X,8,1", "abc,N,8,1", "9600,N,9,1", "9600,N,8,3", "-5,N,8,1"})
        EXPECT_FALSE(PortSettings::Parse(QString::fromLatin1(bad), &s)) << bad;
    ASSERT_TRUE(PortSettings::ParseFraming("7E2", &s));
    EXPECT_EQ(s.Framing(), QString("7E2"));
    EXPECT_FALSE(PortSettings::ParseFraming("8N3", &s));
}

TEST(Trace, ControlCharactersAreNamed)
{
    EXPECT_EQ(EscapeControl("AT\r\r\nOK\r\n"), QString("AT<CR><CR><LF>OK<CR><LF>"));
    EXPECT_EQ(EscapeControl(QByteArray("\x1A\x01\xff", 3)), QString("<SUB><01><ff>"));
}

TEST(StoredOptions, HandEditedValuesAreClamped)
{
    QTemporaryDir dir;
    QSettings store(dir.filePath("telvio.ini"), QSettings::IniFormat);
    store.beginGroup("Settings");
    store.setValue("NumberOfPorts", 99);
    store.setValue("DelayBeforeAT", -5);
    store.setValue("FlowControl", "garbage");
    store.setValue("Debug", 3);
    store.endGroup();
    const Options o = Options::Load(store);
    EXPECT_EQ(o.numberOfPorts, 15);
    EXPECT_EQ(o.delayBeforeAT, 0);
    EXPECT_EQ(o.flowControl, 0);
    EXPECT_EQ(o.debug, 1);
    EXPECT_EQ(o.tooltip, 1); // missing: default
}

TEST(StoredOptions, SaveThenLoadKeepsEveryValue)
{
    QTemporaryDir dir;
    QSettings store(dir.filePath("telvio.ini"), QSettings::IniFormat);
    Options o;
    o.tooltip = 0; o.debug = 1; o.terminal = 0; o.autoDisconnect = 1; o.searchPorts = 0;
    o.numberOfPorts = 3; o.userAutoConnect = 1; o.dtrEnable = 0; o.rtsEnable = 0;
    o.flowControl = 2; o.autoLoad = 0; o.delayBeforeAT = 250;
    o.Save(store);
    EXPECT_TRUE(Options::Load(store) == o);
    EXPECT_EQ(store.value("Settings/DelayBeforeAT").toInt(), 250);
}

} // namespace
