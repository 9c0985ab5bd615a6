#include "pages/serialsettingsfixture.h"
#include "support/simport.h"

using namespace telvio;
using namespace telvio::test;

namespace {

// Writes against the simulator's interpreter on the in-memory line, which
// carries data bits and parity too: the modem answers only while the PC's
// port matches it, so every step of a write shows whether the PC followed.
class SerialWrite : public SerialPageTest {
protected:
    SerialWrite()
    {
        logic.Create();
        logic.Activate(); // reads the modem as it is: 9600 8N1
    }

    // Chooses the items as a user would, each through the change hook.
    void ChooseText(SerialField field, const QString &item)
    {
        const int at = int(logic.form.List(field).items.indexOf(item));
        ASSERT_GE(at, 0) << qPrintable(item);
        Choose(field, at);
    }
    void ChooseFraming(const char *rate, const char *dataBits, const char *parity, const char *stopBits)
    {
        ChooseText(SerialField::DteRate, QLatin1String(rate));
        ChooseText(SerialField::DataBits, QLatin1String(dataBits));
        ChooseText(SerialField::StopBits, QLatin1String(stopBits));
        ChooseText(SerialField::Parity, QLatin1String(parity));
    }
    // The modem answers a plain "AT" at the PC's current settings.
    bool LinkAnswers()
    {
        QByteArray at = QByteArrayLiteral("AT");
        return session.Exchange(at, 1, "OK\r\n", "0\r") >= ExSuccess;
    }
    QString PcSettings() const
    {
        return QStringLiteral("%1,%2,%3,%4")
            .arg(session.BaudText(), QString(session.Parity()), session.DataBitsText(), session.StopBitsText());
    }
    QByteArray Stored(const QByteArray &setting)
    {
        return sim.Modem().state().value(setting, sim::ProfileSlot::Stored);
    }

    SimPort sim{&port, &pump};
};

TEST_F(SerialWrite, StartsFromWhatTheModemSaid)
{
    EXPECT_EQ(Sent(), (QList<QByteArray>{"at&v", "AT"}));
    EXPECT_EQ(logic.form.List(SerialField::DteRate).CurrentText(), "9600");
    EXPECT_EQ(logic.form.List(SerialField::Parity).CurrentText(), "None");
    EXPECT_EQ(logic.form.List(SerialField::DteByDce).CurrentText(), "2 - CTS");
    EXPECT_FALSE(Flags().modified);
}

TEST_F(SerialWrite, ToSevenEvenAndBackWithTheLinkAnsweringAtEachStep)
{
    const int before = port.Writes().size();
    ChooseFraming("115200", "7", "Even", "1");
    ASSERT_TRUE(logic.Command(SerialCommand::Write));
    const QList<QByteArray> sent = Sent().mid(before);
    EXPECT_EQ(sent, (QList<QByteArray>{"ATV1 &C1 &D2 &S1 E1 +IPR=115200", "AT+ICF=5,1", "AT+IFC=2,2", "AT&W"}));
    EXPECT_EQ(PcSettings(), "115200,E,7,1");
    EXPECT_EQ(port.Settings(), "115200,E,7,1");
    EXPECT_EQ(host.portShown, "115200,E,7,1");
    EXPECT_EQ(session.PollUnit(), 20);
    EXPECT_EQ(Stored("+IPR"), "115200");
    EXPECT_EQ(Stored("+ICF"), "5,1");
    EXPECT_EQ(sim.Garbled(), 0);
    EXPECT_FALSE(Flags().modified);
    EXPECT_TRUE(LinkAnswers());

    // Read back at the new settings, then return to 9600 8N1.
    ASSERT_TRUE(logic.Command(SerialCommand::Read));
    EXPECT_EQ(logic.form.List(SerialField::DataBits).CurrentText(), "7");
    EXPECT_EQ(logic.form.List(SerialField::Parity).CurrentText(), "Even");
    ChooseFraming("9600", "8", "None", "1");
    ASSERT_TRUE(logic.Command(SerialCommand::Write));
    EXPECT_EQ(PcSettings(), "9600,N,8,1");
    EXPECT_EQ(Stored("+ICF"), "3,4");
    EXPECT_EQ(sim.Garbled(), 0);
    EXPECT_TRUE(LinkAnswers());
    EXPECT_TRUE(prompts.Log().isEmpty());
}

TEST_F(SerialWrite, SevenDataBitsTwoStopBits)
{
    ChooseFraming("115200", "7", "Odd", "2"); // the hook turns parity to None
    ASSERT_TRUE(logic.Command(SerialCommand::Write));
    EXPECT_TRUE(Sent().contains("AT+ICF=4,4"));
    EXPECT_EQ(PcSettings(), "115200,N,7,2");
    EXPECT_EQ(sim.Modem().line().framingText(), "7N2");
    EXPECT_TRUE(LinkAnswers());
}

TEST_F(SerialWrite, AutoRateLeavesThePcRateAlone)
{
    ChooseText(SerialField::DteRate, "Auto");
    ASSERT_TRUE(logic.Command(SerialCommand::Write));
    EXPECT_TRUE(Sent().contains("ATV1 &C1 &D2 &S1 E1 +IPR=0"));
    EXPECT_EQ(session.BaudText(), "9600");
    EXPECT_EQ(Stored("+IPR"), "0");
    EXPECT_TRUE(LinkAnswers());
}

TEST_F(SerialWrite, RecordGivesVAndFriendsAndTheQuietFlag)
{
    ChooseText(SerialField::Dtr, "0 - Ignore signal");
    ChooseText(SerialField::Dsr, "0 - Always on");
    ChooseText(SerialField::DceByDte, "0 - None");
    ChooseText(SerialField::Suppression, "1 - On");
    ASSERT_TRUE(logic.Command(SerialCommand::Write));
    EXPECT_TRUE(Sent().contains("ATV1 &C1 &D0 &S0 E1 +IPR=9600"));
    EXPECT_TRUE(Sent().contains("AT+IFC=0,2"));
    // Q is left to the disconnect: nothing with Q goes out now.
    for (const QByteArray &line : Sent())
        EXPECT_FALSE(line.contains('Q')) << line.constData();
    EXPECT_EQ(session.Quiet(), 1);
    EXPECT_EQ(Stored("&D"), "0");
}

TEST_F(SerialWrite, ProfileWithParityAndTwoStopBitsStillGoesWithoutParity)
{
    // "Write Profile to modem" shows the record and writes at once, with
    // no change hook between: the lists may hold a framing +ICF cannot.
    session.SetDefaults();
    SetSerialValue(session.serialRecord, SerialField::StopBits, 1);
    SetSerialValue(session.serialRecord, SerialField::Parity, 1);
    SetSerialValue(session.serialRecord, SerialField::DteRate, 6);
    Flags().profilePending = true;
    logic.Activate();
    ASSERT_EQ(logic.form.List(SerialField::Parity).CurrentText(), "Even");
    ASSERT_TRUE(logic.WriteToModem());
    EXPECT_TRUE(Sent().contains("AT+ICF=1,4"));
    EXPECT_EQ(PcSettings(), "9600,N,8,2");
    EXPECT_TRUE(LinkAnswers());
}

struct HalfWay {
    const char *name;
    const char *failing;     // command that gets no answer
    const char *pcAfter;     // where the PC port was left
    int linesSent;           // of the write
};

void PrintTo(const HalfWay &c, std::ostream *os)
{
    *os << c.name;
}

class SerialWriteHalfWay : public SerialWrite, public ::testing::WithParamInterface<HalfWay> {};

TEST_P(SerialWriteHalfWay, StopsAndSaysConfigurationNotSaved)
{
    const HalfWay &c = GetParam();
    sim.Modem().faults().add(sim::Fault{c.failing, sim::FaultKind::NoAnswer, 0, true});
    ChooseFraming("115200", "7", "Even", "1");
    const int before = port.Writes().size();
    EXPECT_FALSE(logic.Command(SerialCommand::Write));
    EXPECT_EQ(port.Writes().size() - before, c.linesSent);
    EXPECT_EQ(prompts.Texts(), QStringList{"Error: No answer from modem, configuration not saved!"});
    EXPECT_FALSE(session.Busy());
    EXPECT_EQ(host.openWindows, 0);
    EXPECT_TRUE(host.windows.contains("Transfering data..."));
    EXPECT_TRUE(Flags().modified); // nothing was written for good
    // The PC went wherever the modem went before the failure, so the
    // link still answers; none of it was stored.
    EXPECT_EQ(PcSettings(), QLatin1String(c.pcAfter));
    EXPECT_TRUE(LinkAnswers());
    EXPECT_EQ(Stored("+IPR"), "9600");
    EXPECT_EQ(Stored("+ICF"), "3,4");
}

INSTANTIATE_TEST_SUITE_P(
    Steps, SerialWriteHalfWay,
    ::testing::Values(HalfWay{"first line", "+IPR", "9600,N,8,1", 1},
                      HalfWay{"framing", "+ICF", "115200,N,8,1", 2},
                      HalfWay{"flow control", "+IFC", "115200,E,7,1", 3},
                      HalfWay{"store", "&W", "115200,E,7,1", 4}));

TEST_F(SerialWrite, NothingIsSentWhileBusyOrUnconnected)
{
    const int before = port.Writes().size();
    session.SetBusy(true);
    EXPECT_FALSE(logic.WriteToModem());
    session.SetBusy(false);
    session.SetConnected(false);
    EXPECT_FALSE(logic.WriteToModem());
    EXPECT_EQ(port.Writes().size(), before);
}

} // namespace
