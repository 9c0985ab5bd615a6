#pragma once

#include "cli/clicontext.h"
#include "pages/core/formcontrols.h"
#include "shell/core/prompter.h"

#include <QJsonValue>
#include <QList>
#include <QPair>
#include <QString>

#include <functional>

namespace telvio::cli {

// Field values given to a write, in the order given (the file's first,
// then each --set): a number is a list position, a text names an item.
using FieldValues = QList<QPair<QString, QJsonValue>>;

// The page procedures' messages go to standard error as errors; questions
// get the one answer the command chose beforehand (No unless told).
class CliPrompter : public Prompter {
public:
    explicit CliPrompter(Output &out) : m_out(out) {}

    void SetAnswer(bool yes) { m_yes = yes; }

    void Message(const QString &text, const QString &caption, Icon icon) override;
    bool Question(const QString &text, const QString &caption) override;
    QString OpenFile(const QString &filter, const QString &defaultExt) override;
    QString SaveFile(const QString &filter, const QString &defaultExt) override;
    std::optional<QString> EnterCode(const QString &caption, int maxLength, bool masked) override;

private:
    Output &m_out;
    bool m_yes = false;
};

// A page that `read PAGE` and `write PAGE` reach. Both run on a session
// that ConnectModem has connected; they report their own failures.
struct CliPage {
    QString name;       // as typed: "serial"
    QStringList fields; // what a write may set; "<field>Text" names an item by its text
    std::function<int(CliContext &, CliPrompter &)> read;
    std::function<int(CliContext &, CliPrompter &, const FieldValues &)> write;
};

// Every page the two commands know.
const QList<CliPage> &CliPages();

// Opens the port with the global options and identifies the modem, as
// the Connection page's Connect does. ExitOk, or the status to end with
// (the failure already reported).
int ConnectModem(CliContext &ctx);

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
