#include "cli/pagecommands.h"

#include "cli/basiccommands.h"
#include "cli/gprscommands.h"
#include "cli/serialcommands.h"
#include "cli/smscommands.h"
#include "cli/iocommands.h"
#include "cli/callbackcommands.h"
#include "pages/core/pageframe.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace telvio::cli {

void CliPrompter::Message(const QString &text, const QString &caption, Icon icon)
{
    Q_UNUSED(caption);
    Q_UNUSED(icon);
    m_ctx.Out().Error(m_ctx.Explain(text));
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
    static const QList<CliPage> pages = {BasicCliPage(), SerialCliPage(), SmsCliPage(), GprsCliPage(), IoCliPage(),
                                         CallbackCliPage()};
    return pages;
}

bool ReadPageOnce(PageLogic &logic, ModemSession &session, PageId page)
{
    if (session.Offline()) {
        logic.Create();
        session.Flags(page).profilePending = true;
        logic.Activate();
        return true;
    }
    logic.Create();
    session.Flags(page).mustRead = false;
    return logic.ReadButton();
}

int ConnectModem(CliContext &ctx)
{
    const GlobalOptions &g = ctx.Options();
    const int result = ctx.Session().Connect(ConnectParamsOf(g));
    if (result < 0)
        return ctx.ReportOpenFailure();
    if (result == 0) {
        ctx.Out().Error(NoModemText(ctx));
        return ExitFailed;
    }
    return ExitOk;
}

QString NoModemText(const CliContext &ctx)
{
    const GlobalOptions &g = ctx.Options();
    if (!ctx.LostReason().isEmpty())
        return QStringLiteral("%1 during identification").arg(ctx.WhatWentWrong());
    const QString text = QStringLiteral("no supported modem answers on %1 at %2").arg(g.port, g.line.ToString());
    const QString cause = ctx.WhatWentWrong();
    return cause.isEmpty() ? text : QStringLiteral("%1 (%2)").arg(text, cause);
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
            QJsonObject object;
            if (!ReadJsonObject(path, &object, error))
                return false;
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

namespace {

QString Takes(const FieldRule &rule)
{
    switch (rule.kind) {
    case FieldRule::Number: return QStringLiteral("a whole number from %1 to %2").arg(rule.low).arg(rule.high);
    case FieldRule::Flag: return QStringLiteral("0 or 1");
    case FieldRule::Text:
        return QStringLiteral("a text of at most %1 characters%2")
            .arg(rule.maxLength)
            .arg(rule.textWhat.isEmpty() ? QString() : QStringLiteral(", ") + rule.textWhat);
    case FieldRule::Position:
        return QStringLiteral("a position from 0 to %1 (or %2Text an item's text)")
            .arg(rule.items.size() - 1)
            .arg(rule.name);
    case FieldRule::Item: return QStringLiteral("one of: %1").arg(rule.items.join(QLatin1String(" | ")));
    case FieldRule::Ignored: break;
    }
    return QString();
}

QString Shown(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::Null: return QStringLiteral("null");
    case QJsonValue::Array: return QStringLiteral("a list");
    case QJsonValue::Object: return QStringLiteral("an object");
    case QJsonValue::Bool: return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QJsonValue::Double: return QString::number(value.toDouble(), 'g', 15);
    case QJsonValue::String: return QLatin1Char('"') + value.toString() + QLatin1Char('"');
    default: return QStringLiteral("no value");
    }
}

// A whole number from a JSON number or a text of digits.
bool WholeNumber(const QJsonValue &value, qint64 *out)
{
    if (value.isDouble()) {
        const double d = value.toDouble();
        if (d != double(qint64(d)) || d < -1e15 || d > 1e15)
            return false;
        *out = qint64(d);
        return true;
    }
    if (!value.isString())
        return false;
    const QString text = value.toString().trimmed();
    if (text.isEmpty() || text.size() > 15)
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    *out = text.toLongLong();
    return true;
}

bool FlagValue(const QJsonValue &value)
{
    if (value.isBool())
        return true;
    if (value.isDouble())
        return value.toDouble() == 0 || value.toDouble() == 1;
    if (!value.isString())
        return false;
    static const QStringList words = {QStringLiteral("0"),   QStringLiteral("1"),  QStringLiteral("on"),
                                      QStringLiteral("off"), QStringLiteral("true"), QStringLiteral("false")};
    return words.contains(value.toString().trimmed().toLower());
}

bool Fits(const FieldRule &rule, bool byText, const QJsonValue &value)
{
    qint64 number = 0;
    if (byText || rule.kind == FieldRule::Item) {
        if (!value.isString() && !value.isDouble())
            return false;
        ListState list;
        list.items = rule.items;
        QString why;
        return ChooseInList(list, value, &why);
    }
    switch (rule.kind) {
    case FieldRule::Number: return WholeNumber(value, &number) && number >= rule.low && number <= rule.high;
    case FieldRule::Position: return WholeNumber(value, &number) && number >= 0 && number < rule.items.size();
    case FieldRule::Flag: return FlagValue(value);
    case FieldRule::Text:
        return value.isString() && value.toString().size() <= rule.maxLength
            && (!rule.textOk || rule.textOk(value.toString()));
    default: return true;
    }
}

} // namespace

bool CheckFieldValues(const CliPage &page, const FieldValues &values, QString *error)
{
    for (const auto &v : values) {
        const FieldRule *rule = nullptr;
        bool byText = false;
        for (const FieldRule &r : page.rules) {
            if (r.name == v.first) {
                rule = &r;
            } else if ((r.kind == FieldRule::Position || r.kind == FieldRule::Item)
                       && v.first == r.name + QLatin1String("Text")) {
                rule = &r;
                byText = true;
            }
        }
        if (!rule) {
            QStringList names;
            for (const FieldRule &r : page.rules)
                names << r.name;
            *error = QStringLiteral("write %1 has no field %2 (fields: %3)")
                         .arg(page.name, v.first, names.join(QLatin1String(", ")));
            return false;
        }
        if (rule->kind == FieldRule::Ignored || Fits(*rule, byText, v.second))
            continue;
        FieldRule asText = *rule;
        asText.kind = FieldRule::Item;
        *error = QStringLiteral("%1: %2 is not %3")
                     .arg(v.first, Shown(v.second), Takes(byText ? asText : *rule));
        return false;
    }
    return true;
}

FieldValues PositionsOverTexts(const FieldValues &values)
{
    QStringList byPosition;
    for (const auto &v : values) {
        if (!v.first.endsWith(QLatin1String("Text")))
            byPosition << v.first;
    }
    FieldValues kept;
    for (const auto &v : values) {
        if (!v.first.endsWith(QLatin1String("Text")) || !byPosition.contains(v.first.chopped(4)))
            kept << v;
    }
    return kept;
}

bool ReadJsonObject(const QString &path, QJsonObject *object, QString *error)
{
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
    *object = doc.object();
    return true;
}

int ReportInvalid(CliContext &ctx, const QString &invalid)
{
    if (invalid.isEmpty())
        return ExitOk;
    ctx.Out().Error(invalid);
    return ExitFailed;
}

int ReportUnread(CliContext &ctx, const QStringList &fields)
{
    if (fields.isEmpty())
        return ExitOk;
    const QString cause = ctx.WhatWentWrong();
    ctx.Out().Error(QStringLiteral("could not read %1 from the modem's answers%2")
                        .arg(fields.join(QLatin1String(", ")),
                             cause.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(cause)));
    return ExitFailed;
}

int RefuseUnreadWrite(CliContext &ctx, const QStringList &unread, const FieldValues &values)
{
    QStringList left;
    for (const QString &field : unread) {
        bool given = false;
        for (const auto &v : values)
            given = given || v.first == field || v.first == field + QLatin1String("Text");
        if (!given)
            left << field;
    }
    if (left.isEmpty())
        return ExitOk;
    ctx.Out().Error(QStringLiteral("nothing written: could not read %1 from the modem's answers, and the write "
                                   "would send back what the page made of them (give them with --set)")
                        .arg(left.join(QLatin1String(", "))));
    return ExitFailed;
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
    CliPrompter prompts(ctx);
    return page->read(ctx, prompts);
}

int Write(CliContext &ctx, const QStringList &args)
{
    const CliPage *page = TakePage(ctx, QStringLiteral("write"), args);
    if (!page)
        return ExitUsage;
    FieldValues values;
    QString error;
    QStringList rest = args.mid(1);
    FieldValues options;
    for (const QString &option : page->writeOptions) {
        const int at = int(rest.indexOf(option));
        if (at < 0)
            continue;
        if (at + 1 >= rest.size()) {
            ctx.Out().Error(QStringLiteral("%1 takes a value").arg(option));
            return ExitUsage;
        }
        options.append({option, QJsonValue(rest.at(at + 1))});
        rest.remove(at, 2);
    }
    if (!ParseFieldValues(rest, &values, &error)) {
        ctx.Out().Error(error);
        return ExitUsage;
    }
    values += options;
    if (page->expand)
        values = page->expand(values);
    if (!CheckFieldValues(*page, values, &error)) {
        ctx.Out().Error(error);
        return ExitUsage;
    }
    if (const int rc = ConnectModem(ctx))
        return rc;
    CliPrompter prompts(ctx);
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
