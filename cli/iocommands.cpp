#include "cli/iocommands.h"

#include "pages/core/commandargument.h"
#include "pages/core/iologic.h"
#include "pages/core/ioparsers.h"
#include "pages/core/iorecord.h"

#include <QJsonArray>
#include <QJsonObject>

namespace telvio::cli {

namespace {

const QString kEntries = QStringLiteral("entries");
const QString kRangeOption = QStringLiteral("--entries");
const char *const kDataKeys[6] = {"data1", "data2", "data3", "data4", "data5", "data6"};

// The lists of the parameters and enable groups, by their JSON names.
struct PageList {
    QString name;
    ListState IoForm::*state;
};
const PageList kLists[] = {{QStringLiteral("trigType"), &IoForm::trigType},
                           {QStringLiteral("trigLevel"), &IoForm::trigLevel},
                           {QStringLiteral("outputCtrl"), &IoForm::outputCtrl},
                           {QStringLiteral("enable"), &IoForm::enable}};

QString EntryKey(int row, const QString &field)
{
    return QStringLiteral("entries.%1.%2").arg(row).arg(field);
}

// "N-M" (or "N"): rows from 1 to 10.
bool ParseRange(const QString &text, int *first, int *last)
{
    const QStringList parts = text.split(QLatin1Char('-'));
    if (parts.isEmpty() || parts.size() > 2)
        return false;
    bool ok1 = false;
    bool ok2 = true;
    *first = parts.at(0).toInt(&ok1);
    *last = parts.size() == 2 ? parts.at(1).toInt(&ok2) : *first;
    return ok1 && ok2 && *first >= 1 && *first <= *last && *last <= iofield::EntryCount;
}

QList<FieldRule> Rules()
{
    const IoForm form = IoForm::Initial();
    QList<FieldRule> rules;
    for (const char *name : {"tp", "tc"}) {
        FieldRule pulse{QString::fromLatin1(name), FieldRule::Number};
        pulse.low = 0;
        pulse.high = 255;
        rules << pulse;
    }
    for (const PageList &l : kLists) {
        FieldRule list{l.name, FieldRule::Position};
        list.items = (form.*l.state).items;
        rules << list;
    }
    for (int row = 1; row <= iofield::EntryCount; ++row) {
        FieldRule service{EntryKey(row, QStringLiteral("service")), FieldRule::Item};
        service.items = iopagetext::kServices;
        FieldRule retry{EntryKey(row, QStringLiteral("retry")), FieldRule::Item};
        retry.items = iopagetext::kRetries;
        FieldRule time{EntryKey(row, QStringLiteral("time")), FieldRule::Number};
        time.high = 255;
        FieldRule priority{EntryKey(row, QStringLiteral("priority")), FieldRule::Number};
        priority.high = 1;
        rules << service << retry << time << priority;
        for (int d = 0; d < 6; ++d) {
            FieldRule data{EntryKey(row, QString::fromLatin1(kDataKeys[d])), FieldRule::Text};
            data.maxLength = iolimit::Data[d];
            data.textOk = [](const QString &text) {
                QByteArray unused;
                return CommandArgument(text.toLatin1(), &unused);
            };
            data.textWhat = QStringLiteral("without double quotes or control characters");
            rules << data;
        }
    }
    FieldRule range{kRangeOption, FieldRule::Text};
    range.maxLength = 5;
    range.textOk = [](const QString &text) {
        int first = 0;
        int last = 0;
        return ParseRange(text, &first, &last);
    };
    range.textWhat = QStringLiteral("rows N-M from 1 to 10");
    rules << range;
    return rules;
}

// "entries" as `read io` prints it: a list of ten objects, row 1 first.
FieldValues Expand(const FieldValues &values)
{
    FieldValues out;
    for (const auto &v : values) {
        if (v.first != kEntries || !v.second.isArray()) {
            out << v;
            continue;
        }
        const QJsonArray rows = v.second.toArray();
        for (int i = 0; i < rows.size(); ++i) {
            if (!rows.at(i).isObject()) {
                out.append({EntryKey(i + 1, QString()), rows.at(i)});
                continue;
            }
            const QJsonObject entry = rows.at(i).toObject();
            for (auto it = entry.begin(); it != entry.end(); ++it)
                out.append({EntryKey(i + 1, it.key()), it.value()});
        }
    }
    return out;
}

// A profile file carries the I/O record whatever its model: offline the
// record is there to be shown.
bool HasPage(CliContext &ctx)
{
    if (ctx.Session().Traits().ioPages || ctx.Session().Offline())
        return true;
    ctx.Out().Error(QStringLiteral("the %1 has no I/O page").arg(ctx.Session().ModelName()));
    return false;
}

void ReportFields(Output &out, const IoForm &form, const IoRecord &record)
{
    out.Set(QStringLiteral("tp"), form.tp.text);
    out.Set(QStringLiteral("tc"), form.tc.text);
    for (const PageList &l : kLists) {
        out.Set(l.name, (form.*l.state).current);
        out.Set(l.name + QLatin1String("Text"), (form.*l.state).CurrentText());
    }
    QJsonArray entries;
    for (int k = 0; k < iofield::EntryCount; ++k) {
        const IoRowForm &r = form.rows[size_t(k)];
        QJsonObject e;
        e.insert(QStringLiteral("service"), r.service.current);
        e.insert(QStringLiteral("serviceText"), r.service.CurrentText());
        e.insert(QStringLiteral("retry"), r.retry.current);
        e.insert(QStringLiteral("retryText"), r.retry.CurrentText());
        e.insert(QStringLiteral("time"), r.time.text);
        e.insert(QStringLiteral("priority"), r.priority.current);
        for (int d = 0; d < 6; ++d) {
            e.insert(QString::fromLatin1(kDataKeys[d]),
                     QString::fromLatin1(record.Text(iofield::DataAt(d, k), iofield::kData[d].width)));
        }
        entries.append(e);
    }
    out.Set(kEntries, entries);
}

int Read(CliContext &ctx, CliPrompter &prompts)
{
    if (!HasPage(ctx))
        return ExitFailed;
    IoLogic logic(ctx.Session(), prompts);
    if (!ReadPageOnce(logic, ctx.Session(), PageId::Io))
        return ExitFailed;
    ReportFields(ctx.Out(), logic.form, ctx.Session().ioRecord);
    return ExitOk;
}

// One value onto the page: the form for what the page shows, the record
// for the data fields (as the entry dialog stores them).
bool Apply(IoLogic &logic, IoRecord &record, const QString &key, const QJsonValue &value, QString *error)
{
    IoForm &f = logic.form;
    auto text = [&] { return value.isDouble() ? QString::number(value.toInt()) : value.toString(); };
    if (key == QLatin1String("tp")) {
        f.tp.text = text();
        return true;
    }
    if (key == QLatin1String("tc")) {
        f.tc.text = text();
        return true;
    }
    for (const PageList &l : kLists) {
        if (key == l.name || key == l.name + QLatin1String("Text"))
            return ChooseInList(f.*l.state, value, error);
    }
    const QStringList parts = key.split(QLatin1Char('.'));
    if (parts.size() != 3 || parts.at(0) != kEntries)
        return true;
    const int k = parts.at(1).toInt() - 1;
    const QString field = parts.at(2);
    IoRowForm &r = f.rows[size_t(qBound(0, k, iofield::EntryCount - 1))];
    if (field == QLatin1String("service") || field == QLatin1String("serviceText"))
        return ChooseInList(r.service, value, error);
    if (field == QLatin1String("retry") || field == QLatin1String("retryText"))
        return ChooseInList(r.retry, value, error);
    if (field == QLatin1String("time"))
        r.time.text = text();
    else if (field == QLatin1String("priority"))
        return ChooseInList(r.priority, value, error);
    for (int d = 0; d < 6; ++d) {
        if (field == QLatin1String(kDataKeys[d]))
            record.SetText(iofield::DataAt(d, k), iofield::kData[d].width, value.toString().toLatin1());
    }
    return true;
}

int Write(CliContext &ctx, CliPrompter &prompts, const FieldValues &values)
{
    if (!HasPage(ctx))
        return ExitFailed;
    IoLogic logic(ctx.Session(), prompts);
    if (!ReadPageOnce(logic, ctx.Session(), PageId::Io))
        return ExitFailed;
    int first = 0;
    int last = -1;
    for (const auto &v : PositionsOverTexts(values)) {
        if (v.first == kRangeOption) {
            ParseRange(v.second.toString(), &first, &last);
            continue;
        }
        QString error;
        if (!Apply(logic, ctx.Session().ioRecord, v.first, v.second, &error)) {
            ctx.Out().Error(QStringLiteral("%1: %2").arg(v.first, error));
            return ExitUsage;
        }
        logic.Command(IoCommand::Edited);
    }
    // The named rows alone, or everything Write writes.
    const bool written =
        last < 0 ? logic.Command(IoCommand::Write) : logic.Save({false, false, first - 1, last - 1});
    logic.RecordToControls(ctx.Session().ioRecord);
    ReportFields(ctx.Out(), logic.form, ctx.Session().ioRecord);
    return written ? ExitOk : ExitFailed;
}

// A profile's record edited offline, as the page and its entry dialog
// edit it. A profile for a model without the page keeps the record it
// carries: a change there would reach no modem.
int Edit(CliContext &ctx, CliPrompter &prompts, const FieldValues &values)
{
    ModemSession &s = ctx.Session();
    IoLogic logic(s, prompts);
    ReadPageOnce(logic, s, PageId::Io);
    // What the controls make of the record before anything is given (times
    // normalised) is not a change.
    logic.ChangeHook();
    const IoRecord before = s.ioRecord;
    for (const auto &v : PositionsOverTexts(values)) {
        QString error;
        if (v.first == kRangeOption) {
            ctx.Out().Error(QStringLiteral("%1 is an option of write io, not a field of a profile").arg(v.first));
            return ExitUsage;
        }
        if (!Apply(logic, s.ioRecord, v.first, v.second, &error)) {
            ctx.Out().Error(QStringLiteral("%1: %2").arg(v.first, error));
            return ExitUsage;
        }
        logic.Command(IoCommand::Edited);
    }
    logic.ChangeHook();
    if (!s.Traits().ioPages && s.ioRecord != before) {
        ctx.Out().Error(QStringLiteral("the %1 has no I/O page").arg(s.ModelName()));
        return ExitUsage;
    }
    return ReportInvalid(ctx, logic.ValidateSettings());
}

} // namespace

CliPage IoCliPage()
{
    CliPage page{QStringLiteral("io"), Rules(), Read, Write, Edit};
    page.writeOptions = {kRangeOption};
    page.expand = Expand;
    return page;
}

} // namespace telvio::cli
