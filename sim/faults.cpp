#include "sim/faults.h"

namespace telvio::sim {

bool Fault::operator==(const Fault &other) const
{
    return command == other.command && kind == other.kind && delayMs == other.delayMs && once == other.once
        && cmeError == other.cmeError && text == other.text;
}

QByteArray faultKey(const QByteArray &command)
{
    QByteArray key = command.trimmed().toUpper();
    if (key.startsWith("AT"))
        key.remove(0, 2);
    return key;
}

QList<QByteArray> faultKeysOf(const ParsedCommand &command)
{
    switch (command.syntax) {
    case CommandSyntax::Basic:
    case CommandSyntax::Dial:
        return {command.name + command.argument, command.name};
    case CommandSyntax::SParameter:
    case CommandSyntax::Extended:
        switch (command.form) {
        case CommandForm::Action: return {command.name};
        case CommandForm::Read: return {command.name + '?', command.name};
        case CommandForm::Test: return {command.name + "=?", command.name};
        case CommandForm::Set: return {command.name + '=', command.name};
        }
    }
    return {command.name};
}

QByteArray faultKindName(FaultKind kind)
{
    switch (kind) {
    case FaultKind::Delay: return "delay";
    case FaultKind::NoAnswer: return "noanswer";
    case FaultKind::Error: return "error";
    case FaultKind::Noise: return "noise";
    case FaultKind::HangUp: return "hangup";
    case FaultKind::CmeError: return "cme";
    case FaultKind::Unsolicited: return "unsolicited";
    }
    return {};
}

namespace {

struct KindName {
    const char *name;
    FaultKind kind;
};

constexpr KindName kindNames[] = {
    {"delay", FaultKind::Delay},   {"noanswer", FaultKind::NoAnswer}, {"silent", FaultKind::NoAnswer},
    {"error", FaultKind::Error},   {"noise", FaultKind::Noise},       {"hangup", FaultKind::HangUp},
    {"cme", FaultKind::CmeError},  {"unsolicited", FaultKind::Unsolicited},
};

// The kind a text starts with, when a word of its own (followed by its end, ':' or '/').
std::optional<FaultKind> leadingKind(const QString &text, QString *word)
{
    int end = 0;
    while (end < text.size() && text.at(end) != QLatin1Char(':') && text.at(end) != QLatin1Char('/'))
        ++end;
    *word = text.left(end).trimmed().toLower();
    for (const KindName &k : kindNames) {
        if (*word == QLatin1String(k.name))
            return k.kind;
    }
    return std::nullopt;
}

} // namespace

std::optional<Fault> parseFault(const QString &text, QString *error)
{
    auto fail = [error](const QString &message) -> std::optional<Fault> {
        if (error)
            *error = message;
        return std::nullopt;
    };
    if (!text.contains(QLatin1Char('=')))
        return fail(QStringLiteral("fault \"%1\": expected CMD=KIND[:ARG][/once]").arg(text));
    // The command is all before the first '=' that a kind follows: commands may
    // end in '=' (+CPIN=), unsolicited texts may hold one.
    int eq = -1;
    QString word;
    std::optional<FaultKind> kind;
    for (int i = text.indexOf(QLatin1Char('=')); i >= 0; i = text.indexOf(QLatin1Char('='), i + 1)) {
        kind = leadingKind(text.mid(i + 1), &word);
        if (kind) {
            eq = i;
            break;
        }
    }
    if (!kind) {
        leadingKind(text.mid(text.lastIndexOf(QLatin1Char('=')) + 1), &word);
        return fail(QStringLiteral("fault \"%1\": unknown kind \"%2\"").arg(text, word));
    }
    Fault fault;
    fault.command = faultKey(text.left(eq).toLatin1());
    fault.kind = *kind;
    QString rest = text.mid(eq + 1).trimmed();
    if (rest.endsWith(QLatin1String("/once"), Qt::CaseInsensitive)) {
        fault.once = true;
        rest.chop(5);
    }
    const int colon = rest.indexOf(QLatin1Char(':'));
    const bool hasArgument = colon >= 0;
    const QString argument = hasArgument ? rest.mid(colon + 1) : QString();
    if (!hasArgument && rest.trimmed().toLower() != word)
        return fail(QStringLiteral("fault \"%1\": unexpected text after \"%2\"").arg(text, word));
    bool ok = false;
    switch (fault.kind) {
    case FaultKind::Delay:
        fault.delayMs = argument.toInt(&ok);
        if (!ok || fault.delayMs < 0)
            return fail(QStringLiteral("fault \"%1\": delay needs :<milliseconds>").arg(text));
        break;
    case FaultKind::CmeError:
        fault.cmeError = argument.toInt(&ok);
        if (!ok || fault.cmeError < 0 || fault.cmeError > 65535)
            return fail(QStringLiteral("fault \"%1\": cme needs :<error number> (0 to 65535)").arg(text));
        break;
    case FaultKind::Unsolicited:
        if (hasArgument) {
            fault.text = argument.trimmed().toLatin1();
            if (fault.text.isEmpty())
                return fail(QStringLiteral("fault \"%1\": unsolicited:<text> needs a text").arg(text));
            for (char c : fault.text) {
                if (static_cast<unsigned char>(c) < 0x20)
                    return fail(QStringLiteral("fault \"%1\": an unsolicited text is one line").arg(text));
            }
        }
        break;
    case FaultKind::NoAnswer:
    case FaultKind::Error:
    case FaultKind::Noise:
    case FaultKind::HangUp:
        if (hasArgument)
            return fail(QStringLiteral("fault \"%1\": %2 takes no argument").arg(text, word));
        break;
    }
    return fault;
}

void FaultTable::add(const Fault &fault)
{
    Fault stored = fault;
    stored.command = faultKey(fault.command);
    remove(stored.command);
    m_faults.append(stored);
}

bool FaultTable::remove(const QByteArray &command)
{
    const QByteArray key = faultKey(command);
    for (int i = 0; i < m_faults.size(); ++i) {
        if (m_faults.at(i).command == key) {
            m_faults.removeAt(i);
            return true;
        }
    }
    return false;
}

void FaultTable::clear()
{
    m_faults.clear();
}

std::optional<Fault> FaultTable::take(const ParsedCommand &command)
{
    for (const QByteArray &key : faultKeysOf(command)) {
        if (auto fault = takeKey(key))
            return fault;
    }
    return std::nullopt;
}

std::optional<Fault> FaultTable::takeForEmptyLine()
{
    return takeKey(QByteArray());
}

std::optional<Fault> FaultTable::takeKey(const QByteArray &key)
{
    for (int i = 0; i < m_faults.size(); ++i) {
        if (m_faults.at(i).command != key)
            continue;
        const Fault fault = m_faults.at(i);
        if (fault.once)
            m_faults.removeAt(i);
        return fault;
    }
    return std::nullopt;
}

} // namespace telvio::sim
