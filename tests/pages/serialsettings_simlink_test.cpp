#include "pages/core/serialsettingslogic.h"
#include "support/linerate.h"
#include "support/scriptedprompter.h"
#include "sim/simmodem.h"
#include "support/simlink.h"

#include <gtest/gtest.h>

using namespace telvio;
using namespace telvio::test;

namespace {

// The Serial page through the real serial path: QSerialPort on the
// simulator's pseudo-terminal. A pty switches rate and stop bits but always
// carries 8 data bits without parity, so only those two are checked here;
// the in-memory line covers the rest.
class SerialOverThePty : public AtBothRates {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(link.Started());
        ASSERT_TRUE(link.Open(QStringLiteral("9600,N,8,1")));
        logic.Activate();
        ASSERT_TRUE(prompts.Log().isEmpty()) << qPrintable(prompts.Texts().join('\n'));
    }

    void Choose(SerialField field, const char *item)
    {
        ListState &list = logic.form.List(field);
        list.current = int(list.items.indexOf(QLatin1String(item)));
        ASSERT_GE(list.current, 0) << item;
        logic.Command(SerialCommand::ListChosen);
    }
    void ChooseFraming(const char *rate, const char *dataBits, const char *stopBits)
    {
        Choose(SerialField::DteRate, rate);
        Choose(SerialField::DataBits, dataBits);
        Choose(SerialField::StopBits, stopBits);
        Choose(SerialField::Parity, "None");
    }
    QString Text(SerialField field) const { return logic.form.List(field).CurrentText(); }
    QString ModemLine()
    {
        QString line;
        link.modem.withModem([&](sim::SimModem &m) {
            line = QStringLiteral("%1 %2").arg(m.line().baud).arg(QString::fromLatin1(m.line().framingText()));
        });
        return line;
    }
    QByteArray Stored(const QByteArray &setting)
    {
        QByteArray value;
        link.modem.withModem([&](sim::SimModem &m) { value = m.state().value(setting, sim::ProfileSlot::Stored); });
        return value;
    }

    SimLink link{Paced()};
    ScriptedPrompter prompts;
    SerialSettingsLogic logic{link.session, prompts};
};

TEST_P(SerialOverThePty, MovesTo115200SevenTwoAndBackWithTheLinkAnswering)
{
    EXPECT_EQ(Text(SerialField::DteRate), "9600");
    EXPECT_EQ(Text(SerialField::StopBits), "1");

    ChooseFraming("115200", "7", "2");
    ASSERT_TRUE(logic.Command(SerialCommand::Write)) << qPrintable(prompts.Texts().join('\n'));
    EXPECT_EQ(link.comm.Settings(), "115200,N,7,2");
    EXPECT_EQ(ModemLine(), "115200 7N2");
    EXPECT_EQ(link.session.Probe(), 1);
    EXPECT_EQ(Stored("+IPR"), "115200");
    EXPECT_EQ(Stored("+ICF"), "4,4");

    // What the modem reports now, read at the new settings.
    ASSERT_TRUE(logic.Command(SerialCommand::Read));
    EXPECT_EQ(Text(SerialField::DteRate), "115200");
    EXPECT_EQ(Text(SerialField::DataBits), "7");
    EXPECT_EQ(Text(SerialField::StopBits), "2");
    EXPECT_FALSE(link.session.Flags(PageId::Serial).modified);

    ChooseFraming("9600", "8", "1");
    ASSERT_TRUE(logic.Command(SerialCommand::Write)) << qPrintable(prompts.Texts().join('\n'));
    EXPECT_EQ(link.comm.Settings(), "9600,N,8,1");
    EXPECT_EQ(ModemLine(), "9600 8N1");
    EXPECT_EQ(link.session.Probe(), 1);
    ASSERT_TRUE(logic.Command(SerialCommand::Read));
    EXPECT_EQ(Text(SerialField::DteRate), "9600");
    EXPECT_TRUE(prompts.Log().isEmpty());
}

TEST_P(SerialOverThePty, WriteFailingHalfWayLeavesTheLinkUsableAndNothingStored)
{
    link.modem.addFault(sim::Fault{"+IFC", sim::FaultKind::Error, 0, true});
    ChooseFraming("115200", "8", "2");
    EXPECT_FALSE(logic.Command(SerialCommand::Write));
    EXPECT_EQ(prompts.Texts(), QStringList{"Error: No answer from modem, configuration not saved!"});
    EXPECT_FALSE(link.session.Busy());
    // Rate and framing went through before the failure, and the PC went
    // with them.
    EXPECT_EQ(ModemLine(), "115200 8N2");
    EXPECT_EQ(link.comm.Settings(), "115200,N,8,2");
    EXPECT_EQ(link.session.Probe(), 1);
    EXPECT_EQ(Stored("+IPR"), "9600");
    EXPECT_EQ(Stored("+ICF"), "3,4");
    EXPECT_TRUE(link.session.Flags(PageId::Serial).modified);
}

TELVIO_AT_BOTH_RATES(SerialOverThePty);

} // namespace
