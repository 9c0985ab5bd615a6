#pragma once

#include "cli/clicontext.h"
#include "pages/core/formcontrols.h"
#include "pages/core/settingspage.h"
#include "shell/core/prompter.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QPair>
#include <QString>

#include <functional>

namespace telvio::cli {

// Field values given to a write, in the order given (the file's first,
// then each --set): a number is a list position, a text names an item.
using FieldValues = QList<QPair<QString, QJsonValue>>;

// The page procedures' messages go to standard error as errors, with what
// the session saw put in where the message guesses ("No answer from modem"
// when the modem refused); questions get the one answer the command chose
// beforehand (No unless told).
class CliPrompter : public Prompter {
public:
    explicit CliPrompter(CliContext &ctx) : m_ctx(ctx) {}

    void SetAnswer(bool yes) { m_yes = yes; }

    void Message(const QString &text, const QString &caption, Icon icon) override;
    bool Question(const QString &text, const QString &caption) override;
    QString OpenFile(const QString &filter, const QString &defaultExt) override;
    QString SaveFile(const QString &filter, const QString &defaultExt) override;
    std::optional<QString> EnterCode(const QString &caption, int maxLength, bool masked) override;

private:
    CliContext &m_ctx;
    bool m_yes = false;
};

// What one field of a page takes, checked before the port is opened.
struct FieldRule {
    enum Kind {
        Number,   // a whole number from `low` to `high` (a JSON number or digits)
        Flag,     // 0 or 1 (also true/false, on/off)
        Text,     // a text of at most `maxLength` characters that `textOk` takes
        Position, // a position in `items`; "<field>Text" names the item by its text
        Item,     // an item of `items`: its text, its value before " -", or a position
        Ignored,  // only the modem reports it: passed over when written back
    };
    QString name;
    Kind kind = Number;
    int low = 0;
    int high = 0;
    int maxLength = 0;
    std::function<bool(const QString &)> textOk = {}; // unset: any text
    QString textWhat = {};                            // what textOk wants, for the message
    QStringList items = {};
};

// A page that `read PAGE` and `write PAGE` reach. Both run on a session
// that ConnectModem has connected; they report their own failures.
struct CliPage {
    QString name;           // as typed: "serial"
    QList<FieldRule> rules; // what a write may set, and what each field takes
    std::function<int(CliContext &, CliPrompter &)> read;
    std::function<int(CliContext &, CliPrompter &, const FieldValues &)> write;
    // Profile files: the values put into the page's record in the session
    // with no modem asked, through the page's controls and checks (the
    // session is offline, so ReadPageOnce shows the record). ExitOk, or the
    // status with the reason reported. Unset: the page's record travels in
    // profile files only as bytes.
    std::function<int(CliContext &, CliPrompter &, const FieldValues &)> edit = {};
    // Profile files: whether `field` (a rule's name) is a setting the
    // page's write sends to the connected modem, so that `profile write`
    // passes it and `profile diff` compares it. Unset: every field but
    // those only the modem reports.
    std::function<bool(const ModemSession &, const QString &field)> sends = {};
    // Options of the write besides --from and --set, each with one value
    // that joins the field values under the option's name ("--entries").
    QStringList writeOptions = {};
    // Fields given as a JSON list or object (as the read prints them) made
    // into single fields before they are checked; unset: none.
    std::function<FieldValues(const FieldValues &)> expand = {};
};

// Every value against its field's rule; false with "FIELD: what it takes"
// for the first that breaks it (or names no field).
bool CheckFieldValues(const CliPage &page, const FieldValues &values, QString *error);

// The values without each "<field>Text" whose field is also given by
// position: the position wins, so a hand-edited copy of a read's JSON
// that changes a position but not its stale text takes the position.
FieldValues PositionsOverTexts(const FieldValues &values);

// The JSON object a --from file holds; false with the reason when the file
// cannot be read or holds no object.
bool ReadJsonObject(const QString &path, QJsonObject *object, QString *error);

// A page's own check of its settings before they are kept (ValidateSettings):
// ExitOk when it found nothing, otherwise ExitFailed with its message.
int ReportInvalid(CliContext &ctx, const QString &invalid);

// What a read could not take from the modem's answers, reported: the
// fields named on standard error; ExitFailed, or ExitOk when there were none.
int ReportUnread(CliContext &ctx, const QStringList &fields);
// A write must not send back what it could not read: ExitFailed with the
// fields named when a field the values leave alone is among `unread`.
int RefuseUnreadWrite(CliContext &ctx, const QStringList &unread, const FieldValues &values);

// A page's read as its Read button does it, on a page window just made.
// While the session is offline (a profile file is shown or edited) the
// page shows the session's record instead, as it shows a loaded profile.
bool ReadPageOnce(PageLogic &logic, ModemSession &session, PageId page);

// Every page the two commands know.
const QList<CliPage> &CliPages();

// Opens the port with the global options and identifies the modem, as
// the Connection page's Connect does. ExitOk, or the status to end with
// (the failure already reported).
int ConnectModem(CliContext &ctx);
// Why identification found no modem, in words.
QString NoModemText(const CliContext &ctx);

// [--from FILE.json] [--set FIELD=VALUE ...]; false with the reason on a
// usage error. The file holds one JSON object, such as `read PAGE --json`
// prints.
bool ParseFieldValues(const QStringList &args, FieldValues *out, QString *error);

// Selects in a list what a value names: a number is a position; a text is
// the item with that text, else the item whose value (its text before
// " -") it is, else a position. Letter case does not matter.
bool ChooseInList(ListState &list, const QJsonValue &value, QString *error);

// "read" and "write".
QList<Command> PageCommands();

} // namespace telvio::cli
