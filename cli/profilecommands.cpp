#include "cli/profilecommands.h"

#include "cli/pagecommands.h"
#include "link/core/identification.h"
#include "shell/core/profilefile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace telvio::cli {

namespace {

const QString kUsage = QStringLiteral(
    "profile new MODEL FILE [--from FILE.json] | show FILE | edit FILE [--from FILE.json] [--set PAGE.FIELD=VALUE ...]\n"
    "          | save FILE | write FILE [--pages basic,serial,...] | diff FILE     (MODEL: orca1, orca1us, pike2, pike3)");

// The pages a write sends when --pages does not say: those "Write Profile
// to modem" writes. I/O and Callback have their own buttons only.
const QStringList kMenuWrites = {QStringLiteral("basic"), QStringLiteral("serial"), QStringLiteral("sms"),
                                 QStringLiteral("gprs")};

int Usage(CliContext &ctx, const QString &why)
{
    ctx.Out().Error(QStringLiteral("%1\nusage: %2").arg(why, kUsage));
    return ExitUsage;
}

// A value or argument the command cannot take: said alone, no usage text.
int Refuse(CliContext &ctx, const QString &why)
{
    ctx.Out().Error(why);
    return ExitUsage;
}

const CliPage *PageNamed(const QString &name)
{
    for (const CliPage &page : CliPages()) {
        if (page.name == name)
            return &page;
    }
    return nullptr;
}

QString ModelName(int code)
{
    int rows = 0;
    const ModelRow *table = ModelTable(&rows);
    for (int i = 0; i < rows; ++i) {
        if (int(table[i].code) == code && table[i].prefix)
            return QString::fromLatin1(table[i].name);
    }
    return QString();
}

// The session as offline editing of a profile for `model` has it.
void EditOffline(ModemSession &s, int model)
{
    s.SetIdentity(Model(model), false, model > 1);
    s.SetModelName(ModelName(model));
    s.SetOffline(true);
}

// Reads a profile file; reports and gives the exit status when it is none.
int LoadFile(CliContext &ctx, const QString &path, QByteArray *bytes)
{
    QString error;
    if (!profilefile::ReadFile(path, bytes, &error)) {
        ctx.Out().Error(QStringLiteral("cannot read %1: %2").arg(path, error));
        return ExitFailed;
    }
    if (!profilefile::SignatureValid(*bytes)) {
        ctx.Out().Error(QStringLiteral("%1 is not a valid profile").arg(path));
        return ExitFailed;
    }
    // A warning, not a failure: the JSON stays free of an "error".
    if (!profilefile::Complete(*bytes))
        ctx.Out().Progress(QStringLiteral("telvio-cli: %1 is incomplete (%2 of %3 bytes): the settings it lacks are "
                                          "the defaults")
                               .arg(path)
                               .arg(bytes->size())
                               .arg(profilefile::kSize));
    return ExitOk;
}

int SaveFile(CliContext &ctx, const QString &path, int model)
{
    QString error;
    if (!profilefile::WriteFile(path, profilefile::Encode(ctx.Session(), model), &error)) {
        ctx.Out().Error(QStringLiteral("cannot write %1: %2").arg(path, error));
        return ExitFailed;
    }
    return ExitOk;
}

// The page's record as its `read` command prints it (the session offline);
// a page without a command-line page as the record's bytes in hex.
QJsonObject PageFields(CliContext &ctx, const profilefile::Block &block)
{
    const CliPage *page = PageNamed(QLatin1String(block.name));
    if (!page || !page->edit) {
        return {{QStringLiteral("bytes"),
                 QString::fromLatin1(profilefile::RecordBytes(ctx.Session(), block.page).toHex())}};
    }
    CliPrompter prompts(ctx);
    const bool wasOffline = ctx.Session().Offline();
    ctx.Session().SetOffline(true);
    page->read(ctx, prompts);
    ctx.Session().SetOffline(wasOffline);
    return ctx.Out().TakeFields();
}

// A page's printed fields one by one, its lists and objects taken apart
// as the page's write takes them ("entries" into "entries.3.service").
QMap<QString, QJsonValue> SingleFields(const CliPage &page, const QJsonObject &fields)
{
    FieldValues values;
    for (auto it = fields.begin(); it != fields.end(); ++it)
        values.append({it.key(), it.value()});
    if (page.expand)
        values = page.expand(values);
    QMap<QString, QJsonValue> single;
    for (const auto &v : values)
        single.insert(v.first, v.second);
    return single;
}

// What of a page's printed fields a write to the connected modem takes and
// a diff compares: the settings the page sends to it, in rule order; the
// fields that only the modem reports are left out.
FieldValues WritableValues(const ModemSession &s, const CliPage &page, const QJsonObject &fields)
{
    const QMap<QString, QJsonValue> single = SingleFields(page, fields);
    FieldValues values;
    for (const FieldRule &rule : page.rules) {
        if (rule.kind == FieldRule::Ignored || !single.contains(rule.name))
            continue;
        if (page.sends && !page.sends(s, rule.name))
            continue;
        values.append({rule.name, single.value(rule.name)});
    }
    return values;
}

// PAGE.FIELD=VALUE and the objects of a `profile show` JSON, grouped by
// page in file order. False with the reason on a usage error.
struct PageValues {
    QMap<QString, FieldValues> fields;
    QMap<QString, QByteArray> bytes; // "bytes" of a page without fields
};

bool TakeJson(const QJsonObject &object, const QString &source, PageValues *out, QString *error)
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QString &key = it.key();
        if (key == QLatin1String("model") || key == QLatin1String("modelName"))
            continue;
        const profilefile::Block *block = nullptr;
        for (const profilefile::Block &b : profilefile::Blocks()) {
            if (key == QLatin1String(b.name))
                block = &b;
        }
        if (!block || !it.value().isObject()) {
            *error = QStringLiteral("%1: %2 is no page of a profile (pages: basic, serial, sms, gprs, io, callback)")
                         .arg(source, key);
            return false;
        }
        const QJsonObject fields = it.value().toObject();
        if (fields.contains(QLatin1String("bytes"))) {
            const QByteArray raw = QByteArray::fromHex(fields.value(QLatin1String("bytes")).toString().toLatin1());
            if (raw.size() != block->size) {
                *error = QStringLiteral("%1: %2.bytes must be the record's %3 bytes in hex").arg(source, key).arg(block->size);
                return false;
            }
            out->bytes.insert(key, raw);
            continue;
        }
        for (auto f = fields.begin(); f != fields.end(); ++f)
            out->fields[key].append({f.key(), f.value()});
    }
    return true;
}

bool ParseValues(const QStringList &args, PageValues *out, QString *error)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == QLatin1String("--from") && i + 1 < args.size()) {
            const QString path = args.at(++i);
            QJsonObject object;
            if (!ReadJsonObject(path, &object, error) || !TakeJson(object, path, out, error))
                return false;
        } else if (a == QLatin1String("--set") && i + 1 < args.size()) {
            const QString assignment = args.at(++i);
            const int dot = assignment.indexOf(QLatin1Char('.'));
            const int eq = assignment.indexOf(QLatin1Char('='));
            if (dot <= 0 || eq <= dot + 1) {
                *error = QStringLiteral("--set needs PAGE.FIELD=VALUE");
                return false;
            }
            out->fields[assignment.left(dot)].append({assignment.mid(dot + 1, eq - dot - 1), QJsonValue(assignment.mid(eq + 1))});
        } else {
            *error = QStringLiteral("unknown argument %1").arg(a);
            return false;
        }
    }
    for (auto it = out->fields.begin(); it != out->fields.end(); ++it) {
        const CliPage *page = PageNamed(it.key());
        if (!page || !page->edit) {
            *error = QStringLiteral("%1 has no fields to set here").arg(it.key());
            return false;
        }
        if (page->expand)
            it.value() = page->expand(it.value());
        if (!CheckFieldValues(*page, it.value(), error)) {
            *error = QStringLiteral("%1: %2").arg(it.key(), *error);
            return false;
        }
    }
    return true;
}

// The values into the records, page by page in file order.
int ApplyValues(CliContext &ctx, const PageValues &values)
{
    for (const profilefile::Block &b : profilefile::Blocks()) {
        const QString name = QLatin1String(b.name);
        if (values.bytes.contains(name))
            profilefile::OverlayRecord(ctx.Session(), b.page, values.bytes.value(name));
        if (!values.fields.contains(name))
            continue;
        CliPrompter prompts(ctx);
        if (const int rc = PageNamed(name)->edit(ctx, prompts, values.fields.value(name)))
            return rc;
        ctx.Out().TakeFields();
    }
    return ExitOk;
}

void ReportFile(CliContext &ctx, const QString &path, int model)
{
    ctx.Out().Set(QStringLiteral("file"), path);
    ctx.Out().Set(QStringLiteral("model"), model);
    ctx.Out().Set(QStringLiteral("modelName"), ModelName(model));
}

// --- profile new / show / edit ----------------------------------------------

int New(CliContext &ctx, const QStringList &args)
{
    if (args.size() < 2)
        return Usage(ctx, QStringLiteral("profile new needs MODEL and FILE"));
    const int model = profilefile::ModelFromKey(args.at(0));
    if (model == 0)
        return Usage(ctx, QStringLiteral("no model %1 (models: orca1, orca1us, pike2, pike3)").arg(args.at(0)));
    PageValues values;
    QString error;
    if (!ParseValues(args.mid(2), &values, &error))
        return Refuse(ctx, error);
    ModemSession &s = ctx.Session();
    EditOffline(s, model);
    s.SetDefaults();
    if (const int rc = ApplyValues(ctx, values))
        return rc;
    if (const int rc = SaveFile(ctx, args.at(1), model))
        return rc;
    ReportFile(ctx, args.at(1), model);
    return ExitOk;
}

int Show(CliContext &ctx, const QStringList &args)
{
    if (args.size() != 1)
        return Usage(ctx, QStringLiteral("profile show takes one FILE"));
    QByteArray bytes;
    if (const int rc = LoadFile(ctx, args.at(0), &bytes))
        return rc;
    const int model = profilefile::ModelOf(bytes);
    EditOffline(ctx.Session(), model);
    profilefile::Load(bytes, ctx.Session());
    // Each page's read prints into the output: its fields are taken away
    // before the file's own are set.
    QList<QPair<QString, QJsonObject>> ordered;
    for (const profilefile::Block &b : profilefile::Blocks())
        ordered.append({QLatin1String(b.name), PageFields(ctx, b)});
    ctx.Out().Set(QStringLiteral("model"), model);
    ctx.Out().Set(QStringLiteral("modelName"), ModelName(model));
    for (const auto &page : ordered)
        ctx.Out().Set(page.first, page.second);
    return ExitOk;
}

int Edit(CliContext &ctx, const QStringList &args)
{
    if (args.size() < 2)
        return Usage(ctx, QStringLiteral("profile edit needs FILE and --set PAGE.FIELD=VALUE or --from FILE.json"));
    PageValues values;
    QString error;
    if (!ParseValues(args.mid(1), &values, &error))
        return Refuse(ctx, error);
    QByteArray bytes;
    if (const int rc = LoadFile(ctx, args.at(0), &bytes))
        return rc;
    const int model = profilefile::ModelOf(bytes);
    EditOffline(ctx.Session(), model);
    profilefile::Load(bytes, ctx.Session());
    if (const int rc = ApplyValues(ctx, values))
        return rc;
    if (const int rc = SaveFile(ctx, args.at(0), model))
        return rc;
    ReportFile(ctx, args.at(0), model);
    return ExitOk;
}

// --- profile save / write / diff: with a modem -------------------------------

int NeedPort(CliContext &ctx, const QString &sub)
{
    if (ctx.Options().port.isEmpty())
        return Usage(ctx, QStringLiteral("profile %1 needs --port PATH (see: telvio-cli ports)").arg(sub));
    return ExitOk;
}

// The pages the connected modem has, of those the profile carries.
bool OnModem(const ModemSession &s, const profilefile::Block &b)
{
    return s.Flags(b.page).added;
}

int Save(CliContext &ctx, const QStringList &args)
{
    if (args.size() != 1)
        return Usage(ctx, QStringLiteral("profile save takes one FILE"));
    if (const int rc = NeedPort(ctx, QStringLiteral("save")))
        return rc;
    if (const int rc = ConnectModem(ctx))
        return rc;
    ModemSession &s = ctx.Session();
    QJsonObject pages;
    int result = ExitOk;
    for (const profilefile::Block &b : profilefile::Blocks()) {
        const CliPage *page = PageNamed(QLatin1String(b.name));
        if (!OnModem(s, b) || !page) {
            pages.insert(QLatin1String(b.name), OnModem(s, b) ? QStringLiteral("defaults (not read here)")
                                                               : QStringLiteral("defaults (not on this modem)"));
            continue;
        }
        CliPrompter prompts(ctx);
        const int rc = page->read(ctx, prompts);
        ctx.Out().TakeFields();
        pages.insert(QLatin1String(b.name), rc == ExitOk ? QStringLiteral("read") : QStringLiteral("failed"));
        if (rc != ExitOk)
            result = rc;
    }
    ctx.Out().Set(QStringLiteral("pages"), pages);
    if (result != ExitOk) {
        ctx.Out().Error(QStringLiteral("nothing saved: not every page could be read"));
        return result;
    }
    const int model = int(s.Traits().model);
    if (const int rc = SaveFile(ctx, args.at(0), model))
        return rc;
    ReportFile(ctx, args.at(0), model);
    return ExitOk;
}

// The profile's pages as their `read` prints them, from the file.
QMap<QString, QJsonObject> ProfilePages(CliContext &ctx, const QByteArray &bytes)
{
    QMap<QString, QJsonObject> pages;
    profilefile::Load(bytes, ctx.Session());
    for (const profilefile::Block &b : profilefile::Blocks())
        pages.insert(QLatin1String(b.name), PageFields(ctx, b));
    return pages;
}

// The file, checked as Open checks it against the connected modem.
int LoadForModem(CliContext &ctx, const QString &path, QByteArray *bytes)
{
    if (const int rc = LoadFile(ctx, path, bytes))
        return rc;
    if (const int rc = ConnectModem(ctx))
        return rc;
    if (profilefile::ModelOf(*bytes) != int(ctx.Session().Traits().model)) {
        ctx.Out().Error(QStringLiteral("%1\r\nThe profile do not match the connected modem...").arg(path));
        return ExitFailed;
    }
    return ExitOk;
}

int Write(CliContext &ctx, const QStringList &args)
{
    if (args.isEmpty())
        return Usage(ctx, QStringLiteral("profile write needs FILE"));
    QStringList chosen = kMenuWrites;
    bool named = false;
    for (int i = 1; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--pages") && i + 1 < args.size()) {
            named = true;
            QString error;
            if (!ParseProfilePages(args.at(++i), &chosen, &error))
                return Refuse(ctx, error);
        } else {
            return Usage(ctx, QStringLiteral("unknown argument %1").arg(args.at(i)));
        }
    }
    if (const int rc = NeedPort(ctx, QStringLiteral("write")))
        return rc;
    QByteArray bytes;
    if (const int rc = LoadForModem(ctx, args.at(0), &bytes))
        return rc;
    QJsonObject pages;
    const int result = WriteProfilePages(ctx, bytes, chosen, named, &pages);
    ctx.Out().Set(QStringLiteral("pages"), pages);
    return result;
}

int Diff(CliContext &ctx, const QStringList &args)
{
    if (args.size() != 1)
        return Usage(ctx, QStringLiteral("profile diff takes one FILE"));
    if (const int rc = NeedPort(ctx, QStringLiteral("diff")))
        return rc;
    QByteArray bytes;
    if (const int rc = LoadFile(ctx, args.at(0), &bytes))
        return rc;
    if (const int rc = ConnectModem(ctx))
        return rc;
    QJsonArray differences;
    const int result = DiffProfilePages(ctx, bytes, &differences);
    ctx.Out().Set(QStringLiteral("differences"), differences);
    if (result != ExitOk)
        return result;
    return differences.isEmpty() ? ExitOk : ExitFailed;
}

int Profile(CliContext &ctx, const QStringList &args)
{
    const QString sub = args.value(0);
    const QStringList rest = args.mid(1);
    if (sub == QLatin1String("new"))
        return New(ctx, rest);
    if (sub == QLatin1String("show"))
        return Show(ctx, rest);
    if (sub == QLatin1String("edit"))
        return Edit(ctx, rest);
    if (sub == QLatin1String("save"))
        return Save(ctx, rest);
    if (sub == QLatin1String("write"))
        return Write(ctx, rest);
    if (sub == QLatin1String("diff"))
        return Diff(ctx, rest);
    return Usage(ctx, sub.isEmpty() ? QStringLiteral("profile needs a subcommand")
                                    : QStringLiteral("no profile subcommand %1").arg(sub));
}

} // namespace

// --- shared with provision ----------------------------------------------------

QStringList MenuWritePages()
{
    return kMenuWrites;
}

bool ParseProfilePages(const QString &list, QStringList *pages, QString *error)
{
    const QStringList chosen = list.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString &name : chosen) {
        bool known = false;
        for (const profilefile::Block &b : profilefile::Blocks())
            known = known || name == QLatin1String(b.name);
        if (!known) {
            *error = QStringLiteral("--pages: no page %1 (pages: basic, serial, sms, gprs, io, callback)").arg(name);
            return false;
        }
    }
    *pages = chosen;
    return true;
}

int WriteProfilePages(CliContext &ctx, const QByteArray &bytes, const QStringList &chosen, bool named,
                      QJsonObject *pages)
{
    ModemSession &s = ctx.Session();
    const QMap<QString, QJsonObject> profile = ProfilePages(ctx, bytes);
    int result = ExitOk;
    for (const profilefile::Block &b : profilefile::Blocks()) {
        const QString name = QLatin1String(b.name);
        if (!chosen.contains(name))
            continue;
        const CliPage *page = PageNamed(name);
        if (!OnModem(s, b)) {
            pages->insert(name, QStringLiteral("not on this modem"));
            continue;
        }
        if (!page || !page->edit) {
            // Only a page asked for by name fails the command: the menu's
            // set goes on without one the command line cannot write yet.
            pages->insert(name, QStringLiteral("not written: no command-line page"));
            if (named)
                result = ExitFailed;
            continue;
        }
        // The page's write with the profile's values: read, the values
        // through the controls and the page's checks, written and stored.
        const FieldValues values = WritableValues(s, *page, profile.value(name));
        QString error;
        int rc = ExitFailed;
        if (!CheckFieldValues(*page, values, &error)) {
            ctx.Out().Error(QStringLiteral("%1: %2").arg(name, error));
        } else {
            CliPrompter prompts(ctx);
            prompts.SetAnswer(true);
            rc = page->write(ctx, prompts, values);
        }
        ctx.Out().TakeFields();
        pages->insert(name, rc == ExitOk ? QStringLiteral("written") : QStringLiteral("failed"));
        if (rc != ExitOk)
            result = ExitFailed;
    }
    return result;
}

int DiffProfilePages(CliContext &ctx, const QByteArray &bytes, QJsonArray *differences, const QStringList &only)
{
    ModemSession &s = ctx.Session();
    const QMap<QString, QJsonObject> profile = ProfilePages(ctx, bytes);
    int result = ExitOk;
    for (const profilefile::Block &b : profilefile::Blocks()) {
        const QString name = QLatin1String(b.name);
        const CliPage *page = PageNamed(name);
        if (!OnModem(s, b) || !page || !page->edit || (!only.isEmpty() && !only.contains(name)))
            continue;
        CliPrompter prompts(ctx);
        const int rc = page->read(ctx, prompts);
        const QMap<QString, QJsonValue> modem = SingleFields(*page, ctx.Out().TakeFields());
        if (rc != ExitOk) {
            result = rc;
            continue;
        }
        for (const auto &value : WritableValues(s, *page, profile.value(name))) {
            if (modem.value(value.first) == value.second)
                continue;
            differences->append(QJsonObject{{QStringLiteral("page"), name},
                                            {QStringLiteral("field"), value.first},
                                            {QStringLiteral("profile"), value.second},
                                            {QStringLiteral("modem"), modem.value(value.first)}});
        }
    }
    return result;
}

QList<Command> ProfileCommands()
{
    return {{QStringLiteral("profile"), kUsage, Profile, false}};
}

} // namespace telvio::cli
