#include "shell/core/profileflows.h"

#include "link/core/identification.h"
#include "link/core/modemsession.h"
#include "link/core/pagetable.h"
#include "link/core/sessionhost.h"
#include "shell/core/profilefile.h"
#include "shell/core/prompter.h"

#include <QDir>

namespace telvio {

namespace createprofile {

QString Caption()
{
    return QStringLiteral("Create Profile");
}

QString Label()
{
    return QStringLiteral("Modem type");
}

QStringList Items()
{
    return {QStringLiteral("Kestrava Orca-1"), QStringLiteral("Kestrava Orca-1 (TCP/IP)"),
            QStringLiteral("Kestrava Pike-2")};
}

int ItemOf(int modelCode)
{
    switch (modelCode) {
    case 2: return 1;
    case 3: return 2;
    default: return 0;
    }
}

int CodeOf(int item)
{
    switch (item) {
    case 1: return 2;
    case 2: return 3;
    default: return 1;
    }
}

} // namespace createprofile

namespace {

const QString kUnableToOpen = QStringLiteral("Unable to open file...");

const ModelRow *FirstRowOf(int code)
{
    int rows = 0;
    const ModelRow *table = ModelTable(&rows);
    for (int i = 0; i < rows; ++i) {
        if (int(table[i].code) == code && table[i].prefix)
            return &table[i];
    }
    return nullptr;
}

} // namespace

ProfileCommands::ProfileCommands(ModemSession &session, Prompter &prompts, ProfileHost &host)
    : m_session(session), m_prompts(prompts), m_host(host)
{
}

QString ProfileCommands::FileFilter()
{
    return QStringLiteral("Config files (*.dat);;All files (*)");
}

QString ProfileCommands::DefaultExtension()
{
    return QStringLiteral("dat");
}

QString ProfileCommands::WriteQuestion(PageId page)
{
    switch (page) {
    case PageId::Basic: return QStringLiteral("Write Basic settings?");
    case PageId::Serial: return QStringLiteral("Write v24v25 settings?");
    case PageId::Sms: return QStringLiteral("Write SMS settings?");
    case PageId::Gprs: return QStringLiteral("Write GPRS settings?");
    default: return QString();
    }
}

void ProfileCommands::New()
{
    if (m_session.Connected() && !m_session.TerminalOnly()
        && !m_prompts.Question(
            QStringLiteral("Creating an empty profile will disconnect the modem.\n\rDo you wish to continue?")))
        return;
    m_session.Disconnect();
    const std::optional<int> code = m_host.ChooseModel(int(m_session.Traits().model));
    if (!code)
        return;
    const ModemTraits before = m_session.Traits();
    // The pages then choose their commands as for a modem of that model;
    // the models after the first came with the extended firmware.
    m_session.SetIdentity(Model(*code), before.makerFirmware, *code > 1 || before.extendedFirmware);
    if (const ModelRow *row = FirstRowOf(*code)) {
        m_session.SetImeiPrefix(QString::fromLatin1(row->prefix));
        m_session.SetModelName(QString::fromLatin1(row->name));
    }
    m_session.EnterOffline();
    m_session.SetDefaults();
    for (const profilefile::Block &b : profilefile::Blocks())
        m_session.Flags(b.page).profilePending = true;
    m_session.Host()->SetActivePage(PageId::Connection);
    m_session.Host()->RefreshStatusPanel();
}

void ProfileCommands::Open()
{
    const QString path = m_prompts.OpenFile(FileFilter(), DefaultExtension());
    if (path.isEmpty())
        return;
    OpenPath(path);
}

bool ProfileCommands::OpenPath(const QString &path)
{
    // Offline editing starts before the file is read, so it holds even when
    // the file then fails.
    if (!m_session.Connected() || m_session.TerminalOnly()) {
        m_session.Disconnect();
        m_session.EnterOffline();
        m_session.SetDefaults();
    }
    QByteArray bytes;
    QString error;
    if (!profilefile::ReadFile(path, &bytes, &error)) {
        m_prompts.Message(kUnableToOpen, QString(), Prompter::Icon::Error);
        return false;
    }
    const QString shown = QDir::toNativeSeparators(path);
    bool loaded = false;
    if (!profilefile::SignatureValid(bytes)) {
        m_prompts.Message(QStringLiteral("%1\r\nis not a valid profile.").arg(shown));
        if (!m_session.Connected())
            m_session.Disconnect();
    } else if (m_session.Connected() && profilefile::ModelOf(bytes) != int(m_session.Traits().model)) {
        m_prompts.Message(QStringLiteral("%1\r\nThe profile do not match the connected modem...").arg(shown),
                          QString(), Prompter::Icon::Information);
    } else {
        const ModemTraits t = m_session.Traits();
        m_session.SetIdentity(Model(profilefile::ModelOf(bytes)), t.makerFirmware, t.extendedFirmware);
        profilefile::Load(bytes, m_session);
        for (const profilefile::Block &b : profilefile::Blocks()) {
            PageFlags &f = m_session.Flags(b.page);
            f.profilePending = true;
            if (b.modified == profilefile::ModifiedOnOpen::Always
                || (b.modified == profilefile::ModifiedOnOpen::WhenAdded && f.added))
                f.modified = true;
        }
        loaded = true;
        if (!profilefile::Complete(bytes))
            m_prompts.Message(QStringLiteral("%1\r\nThe profile is incomplete: the settings it lacks are the "
                                             "defaults.")
                                  .arg(shown),
                              QString(), Prompter::Icon::Warning);
    }
    m_session.Host()->SetActivePage(PageId::Connection);
    m_session.Host()->RefreshStatusPanel();
    return loaded;
}

void ProfileCommands::Save()
{
    bool unread = false;
    for (PageId page : {PageId::Basic, PageId::Serial, PageId::Sms, PageId::Gprs})
        unread = unread || m_session.Flags(page).mustRead;
    if (unread
        && !m_prompts.Question(QStringLiteral(
            "The current profile has not been completely updated.\n\rTo update the profile please visit each tab to "
            "verify current configuration.\n\rDo you wish to save the profile anyway?")))
        return;
    const QString path = m_prompts.SaveFile(FileFilter(), DefaultExtension());
    if (path.isEmpty())
        return;
    SavePath(path);
}

bool ProfileCommands::SavePath(const QString &path)
{
    // The pending state of the pages stays as it is: a page not yet shown
    // since the profile was loaded still has to show the loaded record, or
    // its next change hook would copy its stale controls over it.
    QString error;
    bool opened = false;
    if (profilefile::WriteFile(path, profilefile::Encode(m_session, int(m_session.Traits().model)), &error, &opened))
        return true;
    if (!opened)
        m_prompts.Message(QStringLiteral("%1\r\n%2").arg(kUnableToOpen, error), QString(), Prompter::Icon::Error);
    else
        m_prompts.Message(QStringLiteral("Unable to write file...\r\n%1\r\n%2")
                              .arg(QDir::toNativeSeparators(path), error),
                          QString(), Prompter::Icon::Error);
    return false;
}

void ProfileCommands::WriteToModem()
{
    if (!m_session.Connected() || m_session.TerminalOnly())
        return;
    if (!m_prompts.Question(QStringLiteral("Write current profile to modem?")))
        return;
    SessionHost *windows = m_session.Host();
    for (const PageRow &row : kPageTable) {
        const QString question = WriteQuestion(row.id);
        if (question.isEmpty() || !m_session.Flags(row.id).added || !m_host.Writes(row.id))
            continue;
        if (!m_prompts.Question(question))
            continue;
        // Its activation shows a record the profile left pending.
        windows->SetActivePage(row.id);
        m_host.WriteToModem(row.id);
        m_host.MarkWritten(row.id);
    }
    windows->SetActivePage(PageId::Connection);
}

} // namespace telvio
