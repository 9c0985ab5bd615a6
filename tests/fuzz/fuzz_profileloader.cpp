// Profile files: any bytes opened as a profile, with no modem and with a
// modem of another model. Nothing may crash, every record keeps its size,
// and a file that carries the program's own signature field is saved again
// byte for byte as far as it reaches.
//
// The first input byte chooses how the file is made: even, the rest of the
// input is the file; odd, the next two bytes give an offset into a complete
// profile of defaults and the rest is written over it there (so complete
// files are reached although inputs are shorter than a profile).
#include "link/core/modemsession.h"
#include "link/core/mscomm.h"
#include "shell/core/profilefile.h"
#include "shell/core/profileflows.h"
#include "shell/core/prompter.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

using namespace telvio;

namespace {

class SilentPrompter : public Prompter {
public:
    void Message(const QString &text, const QString &, Icon) override
    {
        if (text.isEmpty())
            abort();
        ++messages;
    }
    bool Question(const QString &, const QString &) override { return true; }
    QString OpenFile(const QString &, const QString &) override { return QString(); }
    QString SaveFile(const QString &, const QString &) override { return QString(); }
    std::optional<QString> EnterCode(const QString &, int, bool) override { return std::nullopt; }
    int messages = 0;
};

class NoWindows : public ProfileHost {
public:
    std::optional<int> ChooseModel(int) override { return std::nullopt; }
    bool Writes(PageId) const override { return false; }
    bool WriteToModem(PageId) override { return false; }
    void MarkWritten(PageId) override {}
};

QByteArray MakeFile(const uint8_t *data, size_t size)
{
    if (size == 0)
        return QByteArray();
    const QByteArray rest(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    if ((data[0] & 1) == 0)
        return rest;
    static CMSComm comm;
    static ModemSession defaults(&comm, nullptr);
    defaults.SetDefaults();
    QByteArray file = profilefile::Encode(defaults, data[0] >> 1);
    if (rest.size() < 2)
        return file;
    const int offset = (uint8_t(rest[0]) | uint8_t(rest[1]) << 8) % profilefile::kSize;
    const QByteArray patch = rest.mid(2);
    file.replace(offset, qMin(int(patch.size()), profilefile::kSize - offset), patch);
    return file.left(profilefile::kSize);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz-profileloader";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("p.dat"));

    const QByteArray file = MakeFile(data, size);

    // The core loader on its own.
    CMSComm comm;
    ModemSession session(&comm, nullptr);
    profilefile::Load(file, session);
    const QByteArray saved = profilefile::Encode(session, profilefile::ModelOf(file));
    if (saved.size() != profilefile::kSize)
        abort();
    const QByteArray field = profilefile::SignatureField();
    if (file.left(profilefile::kSignatureSize) == field.left(file.size()) && saved.left(file.size()) != file.left(profilefile::kSize))
        abort();
    if (profilefile::Complete(file) && profilefile::SignatureValid(file)
        && saved.mid(profilefile::kModelOffset) != file.mid(profilefile::kModelOffset, profilefile::kSize - profilefile::kModelOffset))
        abort();

    // Open as the File menu does: without a modem, then as if a modem of
    // another model were connected.
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            abort();
        f.write(file);
    }
    SilentPrompter prompts;
    NoWindows windows;
    ProfileCommands commands(session, prompts, windows);
    const bool loaded = commands.OpenPath(path);
    if (loaded != profilefile::SignatureValid(file) || (!loaded && prompts.messages != 1))
        abort();
    if (loaded && int(session.Traits().model) != profilefile::ModelOf(file))
        abort();
    if (loaded && !commands.SavePath(path))
        abort();

    CMSComm otherComm;
    ModemSession connected(&otherComm, nullptr);
    connected.SetConnected(true);
    connected.SetIdentity(Model::Pike3, true, true);
    SilentPrompter otherPrompts;
    ProfileCommands onModem(connected, otherPrompts, windows);
    const bool matched = onModem.OpenPath(path);
    if (matched != (loaded && profilefile::ModelOf(file) == int(Model::Pike3)) || !connected.Connected())
        abort();
    connected.SetConnected(false);
    return 0;
}
