// Profiles against the simulated modem through the real serial path: a
// profile written into a modem page by page, and a modem's profile saved,
// opened without the modem and saved again.
#include "link/core/modemsession.h"
#include "pages/basicfixture.h"
#include "pages/core/basiclogic.h"
#include "pages/core/basicrecord.h"
#include "pages/core/profilepagewrites.h"
#include "pages/core/serialsettingslogic.h"
#include "pages/core/smslogic.h"
#include "pages/core/smsrecord.h"
#include "shell/core/profilefile.h"
#include "shell/core/profileflows.h"
#include "sim/simmodem.h"
#include "support/linerate.h"
#include "support/memoryport.h"
#include "support/scriptedprompter.h"
#include "support/simlink.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace telvio::test {
namespace {

// A Pike-3 on the simulator with the three settings pages that have a
// write of their own, driven as the sheet drives them.
class ProfileOnModem {
public:
    explicit ProfileOnModem(const sim::SimConfig &config) : link(config)
    {
        link.session.SetPrompter(&prompts);
        link.session.SetHost(&host);
        host.AddLogic(PageId::Basic, &basic);
        host.AddLogic(PageId::Serial, &serial);
        host.AddLogic(PageId::Sms, &sms);
    }
    ~ProfileOnModem() { link.session.SetHost(nullptr); }

    bool Connect()
    {
        ConnectParams p;
        p.port = link.path;
        return link.session.Connect(p) == 1;
    }

    QByteArray Setting(const QByteArray &name, sim::ProfileSlot slot = sim::ProfileSlot::Active)
    {
        QByteArray value;
        link.modem.withModem([&](sim::SimModem &m) { value = m.state().value(name, slot); });
        return value;
    }

    SimLink link;
    ScriptedPrompter prompts;
    LogicProfileHost host{prompts};
    ScriptedBasicDialogs dialogs;
    BasicLogic basic{link.session, prompts, dialogs, dialogs, dialogs};
    SerialSettingsLogic serial{link.session, prompts};
    SmsLogic sms{link.session, prompts};
    ProfileCommands commands{link.session, prompts, host};
    QTemporaryDir dir;
};

// A profile file for a Pike-3 that differs from what the simulator starts
// with in the Basic and SMS pages.
QString MakeProfile(const QString &path, const QByteArray &centre)
{
    MemoryPort port;
    ModemSession s(&port, nullptr);
    s.SetDefaults();
    BasicRecordView(s.basicRecord).SetRings(3);
    s.smsRecord.SetText(smsfield::ServiceCentre, smsfield::ServiceCentreWidth, centre);
    s.smsRecord.SetInt(smsfield::Format, 1);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(profilefile::Encode(s, 4));
    return path;
}

class ProfileWrite : public AtBothRates {};

TEST_P(ProfileWrite, ProfileGoesIntoTheModemPageByPage)
{
    ProfileOnModem m(Paced());
    ASSERT_TRUE(m.link.Started());
    ASSERT_TRUE(m.Connect());
    const QString path = MakeProfile(m.dir.filePath(QStringLiteral("p.dat")), "+46701234567");
    ASSERT_TRUE(m.commands.OpenPath(path));
    EXPECT_TRUE(m.link.session.Flags(PageId::Basic).modified);

    for (int i = 0; i < 4; ++i)
        m.prompts.AnswerQuestion(true);
    m.commands.WriteToModem();

    EXPECT_EQ(m.prompts.Texts(), (QStringList{"Write current profile to modem?", "Write Basic settings?",
                                              "Write v24v25 settings?", "Write SMS settings?"}));
    EXPECT_EQ(m.prompts.Unscripted(), 0);
    EXPECT_TRUE(m.host.written.value(PageId::Basic));
    EXPECT_TRUE(m.host.written.value(PageId::Serial));
    EXPECT_TRUE(m.host.written.value(PageId::Sms));
    EXPECT_EQ(m.Setting("S0", sim::ProfileSlot::Stored), QByteArray("3"));
    EXPECT_TRUE(m.Setting("+CSCA").contains("+46701234567"));
    EXPECT_EQ(m.Setting("+CMGF"), QByteArray("1"));
    for (PageId page : {PageId::Basic, PageId::Serial, PageId::Sms}) {
        EXPECT_FALSE(m.link.session.Flags(page).modified) << int(page);
        EXPECT_FALSE(m.link.session.Flags(page).profilePending) << int(page);
    }
}

TELVIO_AT_BOTH_RATES(ProfileWrite);

// A text the controls would never take stops that page's write with the
// field named; the other pages are written all the same.
TEST(ProfileWriteChecks, UnsafeTextInAProfileNeverReachesTheModem)
{
    ProfileOnModem m{sim::SimConfig()};
    ASSERT_TRUE(m.Connect());
    const QByteArray before = m.Setting("+CSCA");
    ASSERT_TRUE(m.commands.OpenPath(MakeProfile(m.dir.filePath(QStringLiteral("p.dat")), "+4670\"\r\nAT+CFUN=0")));
    for (int i = 0; i < 4; ++i)
        m.prompts.AnswerQuestion(true);
    m.commands.WriteToModem();
    EXPECT_TRUE(m.prompts.Texts().contains(QStringLiteral("Service Center Address: \"+4670\"\r\nAT+CFUN=0\" is not valid.")))
        << m.prompts.Texts().join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(m.host.written.value(PageId::Sms));
    EXPECT_EQ(m.Setting("+CSCA"), before);
    EXPECT_EQ(m.Setting("S0", sim::ProfileSlot::Stored), QByteArray("3"));
}

// A modem's profile, saved, opened without the modem and saved again
// without changes, is the same file byte for byte.
TEST(ProfileRoundTrip, SavedFromTheModemOpenedOfflineSavedAgainIsIdentical)
{
    ProfileOnModem m{sim::SimConfig()};
    ASSERT_TRUE(m.Connect());
    for (PageId page : {PageId::Basic, PageId::Serial, PageId::Sms})
        m.host.SetActivePage(page);
    const QString first = m.dir.filePath(QStringLiteral("modem.dat"));
    ASSERT_TRUE(m.commands.SavePath(first));
    m.link.session.Disconnect();

    ASSERT_TRUE(m.commands.OpenPath(first));
    EXPECT_TRUE(m.link.session.Offline());
    for (PageId page : {PageId::Basic, PageId::Serial, PageId::Sms})
        m.host.SetActivePage(page);
    // A control's notification copies the controls back into the record:
    // shown and left as they are, they give the same bytes.
    m.basic.ChangeHook();
    m.serial.ChangeHook();
    m.sms.ChangeHook();
    const QString second = m.dir.filePath(QStringLiteral("again.dat"));
    ASSERT_TRUE(m.commands.SavePath(second));

    QFile a(first);
    QFile b(second);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly));
    ASSERT_TRUE(b.open(QIODevice::ReadOnly));
    const QByteArray bytes = a.readAll();
    EXPECT_EQ(bytes.size(), 3931);
    EXPECT_EQ(profilefile::ModelOf(bytes), 4);
    EXPECT_EQ(b.readAll(), bytes);
    EXPECT_TRUE(m.prompts.Texts().isEmpty()) << m.prompts.Texts().join(QLatin1Char('|')).toStdString();
}

} // namespace
} // namespace telvio::test
