// The File menu's profile commands in the main window, offscreen, with
// scripted prompts and the simulator's interpreter behind the port.
#include "shellfixture.h"

#include "link/ui/connectionpage.h"
#include "pages/core/basicrecord.h"
#include "pages/ui/basicpage.h"
#include "shell/core/profilefile.h"
#include "shell/ui/createprofiledialog.h"
#include "shell/ui/menucommands.h"
#include "shell/ui/propsheet.h"
#include "support/simport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

namespace telvio::test {
namespace {

class ProfileMenu : public ShellFixture {
protected:
    void Run(int command) { Window().MenuAction(command)->trigger(); }

    QStringList Tabs()
    {
        QStringList tabs;
        for (int i = 0; i < Window().Sheet()->count(); ++i)
            tabs << Window().Sheet()->tabText(i);
        return tabs;
    }

    QString MakeProfile(int model, int rings)
    {
        MemoryPort p;
        ModemSession s(&p, nullptr);
        s.SetDefaults();
        BasicRecordView(s.basicRecord).SetRings(rings);
        const QString path = m_files.filePath(QStringLiteral("p%1.dat").arg(rings));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(profilefile::Encode(s, model));
        return path;
    }

    QByteArray Contents(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QLineEdit *Rings()
    {
        return static_cast<Cconfig *>(Window().Sheet()->Page(PageId::Basic))->Widgets().rings;
    }

    QTemporaryDir m_files;
    std::unique_ptr<SimPort> m_sim = [this] {
        sim::SimConfig c;
        c.line.baud = 115200;
        return std::make_unique<SimPort>(&m_port, nullptr, c);
    }();
};

TEST_F(ProfileMenu, NewAsksForTheModelAndEditsOffline)
{
    Window();
    WithModal([&] { Run(CmdNewProfile); },
              [&](QWidget *modal) {
                  auto *dialog = qobject_cast<CreateProfileDialog *>(modal);
                  ASSERT_NE(dialog, nullptr);
                  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Create Profile"));
                  QComboBox *models = dialog->ModelList();
                  ASSERT_EQ(models->count(), 3);
                  EXPECT_EQ(models->itemText(1), QStringLiteral("Kestrava Orca-1 (TCP/IP)"));
                  EXPECT_EQ(models->currentIndex(), 0);
                  models->setCurrentIndex(1);
                  dialog->findChild<QPushButton *>(QStringLiteral("ok"))->click();
              });
    EXPECT_TRUE(Session().Offline());
    EXPECT_EQ(Session().ModelName(), QStringLiteral("Orca-1 US"));
    EXPECT_EQ(Tabs(), (QStringList{"Connection", "Basic", "Serial", "SMS", "GPRS"}));
    EXPECT_TRUE(Window().MenuAction(CmdCloseProfile)->isEnabled());
    EXPECT_FALSE(Window().MenuAction(CmdWriteProfile)->isEnabled());
    EXPECT_TRUE(m_prompts.Log().isEmpty());

    // Close Profile ends offline editing.
    Run(CmdCloseProfile);
    EXPECT_FALSE(Session().Offline());
    EXPECT_EQ(Tabs(), QStringList{"Connection"});
}

TEST_F(ProfileMenu, CancelledCreateProfileLeavesNoOfflineEditing)
{
    Window();
    WithModal([&] { Run(CmdNewProfile); },
              [](QWidget *modal) { modal->findChild<QPushButton *>(QStringLiteral("cancel"))->click(); });
    EXPECT_FALSE(Session().Offline());
    EXPECT_EQ(Tabs(), QStringList{"Connection"});
}

TEST_F(ProfileMenu, OpenShowsTheFileInThePagesAndSaveWritesItBack)
{
    Window();
    const QString path = MakeProfile(3, 4);
    m_prompts.AnswerFile(path);
    Run(CmdOpenProfile);
    EXPECT_TRUE(Session().Offline());
    EXPECT_EQ(Tabs(), (QStringList{"Connection", "Basic", "Serial", "SMS", "GPRS"}));

    // Saved before the Basic page was shown, the page still shows the file.
    const QString copy = m_files.filePath(QStringLiteral("copy.dat"));
    m_prompts.AnswerFile(copy);
    Run(CmdSaveProfile);
    EXPECT_EQ(Contents(copy), Contents(path));
    Window().Sheet()->SetActivePage(PageId::Basic);
    EXPECT_EQ(Rings()->text(), QStringLiteral("004"));
    EXPECT_EQ(m_prompts.Unscripted(), 0);
    EXPECT_TRUE(m_prompts.Texts().isEmpty()) << qPrintable(m_prompts.Texts().join('\n'));
}

TEST_F(ProfileMenu, WriteProfileToModemWritesThePagesOfTheConnectedModem)
{
    Window();
    Cserial &connection = *Window().Sheet()->ConnectionPage();
    connection.BaudList()->setCurrentText(QStringLiteral("115200"));
    connection.ExecuteCommand(Cserial::CmdConnect);
    ASSERT_TRUE(Session().Connected()) << qPrintable(m_prompts.Texts().join('\n'));
    EXPECT_TRUE(Window().MenuAction(CmdWriteProfile)->isEnabled());

    m_prompts.AnswerFile(MakeProfile(4, 3));
    Run(CmdOpenProfile);
    EXPECT_TRUE(Session().Connected());
    for (int i = 0; i < 5; ++i)
        m_prompts.AnswerQuestion(true);
    Run(CmdWriteProfile);
    EXPECT_EQ(m_prompts.Texts(), (QStringList{"Write current profile to modem?", "Write Basic settings?",
                                              "Write v24v25 settings?", "Write SMS settings?",
                                              "Write GPRS settings?"}));
    EXPECT_EQ(m_sim->Modem().state().value("S0", sim::ProfileSlot::Stored), QByteArray("3"));
    EXPECT_EQ(Rings()->text(), QStringLiteral("003"));
    EXPECT_EQ(Window().Sheet()->ActivePageId(), PageId::Connection);
    EXPECT_FALSE(Session().Flags(PageId::Basic).modified);
}

} // namespace
} // namespace telvio::test
