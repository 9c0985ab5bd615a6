#include "cli/pagecommands.h"

#include "cli/basiccommands.h"
#include "cli/serialcommands.h"
#include "pages/core/pageframe.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace telvio::cli {

void CliPrompter::Message(const QString &text, const QString &caption, Icon icon)
{
    Q_UNUSED(caption);
    Q_UNUSED(icon);
    m_out.Error(text);
}

bool CliPrompter::Question(const QString &text, const QString &caption)
{
    Q_UNUSED(text);
    Q_UNUSED(caption);
    return m_yes;
}

QString CliPrompter::OpenFile(const QString &filter, const QString &defaultExt)
{
    Q_UNUSED(filter);
    Q_UNUSED(defaultExt);
    return QString();
}

QString CliPrompter::SaveFile(const QString &filter, const QString &defaultExt)
{
    Q_UNUSED(filter);
    Q_UNUSED(defaultExt);
    return QString();
}

std::optional<QString> CliPrompter::EnterCode(const QString &caption, int maxLength, bool masked)
{
    Q_UNUSED(caption);
    Q_UNUSED(maxLength);
    Q_UNUSED(masked);
    return std::nullopt;
}

const QList<CliPage> &CliPages()
{
    static const QList<CliPage> pages = {BasicCliPage(), SerialCliPage()};
    return pages;
}

int ConnectModem(CliContext &ctx)
{
    const GlobalOptions &g = ctx.Options();
    const int result = ctx.Session().Connect(ConnectParamsOf(g));
    if (result < 0) {
        ctx.Out().Error(QStringLiteral("cannot open %1 (%2)").arg(g.port, ctx.Comm().ErrorText()));
        return ExitNoPort;
    }
    if (result == 0) {
        ctx.Out().Error(QStringLiteral("no supported modem answers on %1 at %2").arg(g.port, g.line.ToString()));
        return ExitFailed;
    }
    return ExitOk;
}

bool ParseFieldValues(const QStringList &args, FieldValues *out, QString *error)
{
    FieldValues fromFile;
    FieldValues set;
    bool haveFile = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == QLatin1String("--from")) {
            if (haveFile || i + 1 >= args.size()) {
                *error = QStringLiteral("--from takes one JSON file");
                return false;
            }
            haveFile = true;
            const QString path = args.at(++i);
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                *error = QStringLiteral("cannot read %1").arg(path);
                return false;
            }
            QJsonParseError parse;
            const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parse);
            if (!doc.isObject()) {
                *error = QStringLiteral("%1 holds no JSON object (%2)").arg(path, parse.errorString());
                return false;
            }
            const QJsonObject object = doc.object();
            for (auto it = object.begin(); it != object.end(); ++it)
                fromFile.append({it.key(), it.value()});
        } else if (a == QLatin1String("--set")) {
            const QString assignment = i + 1 < args.size() ? args.at(++i) : QString();
            const int eq = assignment.indexOf(QLatin1Char('='));
            if (eq <= 0) {
                *error = QStringLiteral("--set needs FIELD=VALUE");
                return false;
            }
            set.append({assignment.left(eq), QJsonValue(assignment.mid(eq + 1))});
        } else {
            *error = QStringLiteral("unknown argument %1").arg(a);
            return false;
        }
    }
    *out = fromFile + set;
    return true;
}

bool ChooseInList(ListState &list, const QJsonValue &value, QString *error)
{
    auto fail = [&](const QString &what) {
        *error = QStringLiteral("%1 is not one of: %2").arg(what, list.items.join(QLatin1String(" | ")));
        return false;
    };
    auto choosePosition = [&](double position) {
        // The range first: converting a double beyond int (1e300) is undefined.
        if (!(position >= 0 && position < list.items.size()) || position != int(position))
            return fail(QStringLiteral("position %1").arg(position));
        list.Select(int(position));
        return true;
    };
    if (value.isDouble())
        return choosePosition(value.toDouble());
    if (!value.isString())
        return fail(QStringLiteral("this value"));
    const QString text = value.toString().trimmed();
    for (int i = 0; i < list.items.size(); ++i) {
        if (list.items.at(i).compare(text, Qt::CaseInsensitive) == 0) {
            list.Select(i);
            return true;
        }
    }
    for (int i = 0; i < list.items.size(); ++i) {
        if (QString::fromLatin1(ListItemValue(list.items.at(i))).compare(text, Qt::CaseInsensitive) == 0) {
            list.Select(i);
            return true;
        }
    }
    bool isNumber = false;
    const int position = text.toInt(&isNumber);
    if (isNumber)
        return choosePosition(position);
    return fail(QStringLiteral("\"%1\"").arg(text));
}

namespace {

const CliPage *FindPage(const QString &name)
{
    for (const CliPage &page : CliPages()) {
        if (page.name == name)
            return &page;
    }
    return nullptr;
}

QString PageNames()
{
    QStringList names;
    for (const CliPage &page : CliPages())
        names << page.name;
    return names.join(QLatin1String(", "));
}

// The page named first in `args`; reports and returns null when there is none.
const CliPage *TakePage(CliContext &ctx, const QString &command, const QStringList &args)
{
    const CliPage *page = args.isEmpty() ? nullptr : FindPage(args.first());
    if (!page)
        ctx.Out().Error(QStringLiteral("%1 needs a page: %2").arg(command, PageNames()));
    return page;
}

int Read(CliContext &ctx, const QStringList &args)
{
    const CliPage *page = TakePage(ctx, QStringLiteral("read"), args);
    if (!page)
        return ExitUsage;
    if (args.size() > 1) {
        ctx.Out().Error(QStringLiteral("read %1 takes no more arguments").arg(page->name));
        return ExitUsage;
    }
    if (const int rc = ConnectModem(ctx))
        return rc;
    CliPrompter prompts(ctx.Out());
    return page->read(ctx, prompts);
}

int Write(CliContext &ctx, const QStringList &args)
{
    const CliPage *page = TakePage(ctx, QStringLiteral("write"), args);
    if (!page)
        return ExitUsage;
    FieldValues values;
    QString error;
    if (!ParseFieldValues(args.mid(1), &values, &error)) {
        ctx.Out().Error(error);
        return ExitUsage;
    }
    for (const auto &v : values) {
        QString field = v.first;
        if (field.endsWith(QLatin1String("Text")))
            field.chop(4);
        if (!page->fields.contains(field)) {
            ctx.Out().Error(QStringLiteral("write %1 has no field %2 (fields: %3)")
                                .arg(page->name, v.first, page->fields.join(QLatin1String(", "))));
            return ExitUsage;
        }
    }
    if (const int rc = ConnectModem(ctx))
        return rc;
    CliPrompter prompts(ctx.Out());
    return page->write(ctx, prompts, values);
}

} // namespace

QList<Command> PageCommands()
{
    return {{QStringLiteral("read"), QStringLiteral("read PAGE                      (PAGE: %1)").arg(PageNames()), Read,
             true},
            {QStringLiteral("write"), QStringLiteral("write PAGE [--from FILE.json] [--set FIELD=VALUE ...]"), Write,
             true}};
}

} // namespace telvio::cli
