#include "sim/faults.h"

namespace telvio::sim {

bool Fault::operator==(const Fault &other) const
{
    return command == other.command && kind == other.kind && delayMs == other.delayMs
        && once == other.once;
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
    }
    return {};
}

std::optional<Fault> parseFault(const QString &text, QString *error)
{
    auto fail = [error](const QString &message) -> std::optional<Fault> {
        if (error)
            *error = message;
        return std::nullopt;
    };
    const int eq = text.lastIndexOf(QLatin1Char('='));
    if (eq < 0)
        return fail(QStringLiteral("fault \"%1\": expected CMD=KIND[:ms][/once]").arg(text));
    Fault fault;
    fault.command = faultKey(text.left(eq).toLatin1());
    QString rest = text.mid(eq + 1).trimmed().toLower();
    if (rest.endsWith(QLatin1String("/once"))) {
        fault.once = true;
        rest.chop(5);
    }
    QString kind = rest;
    QString millis;
    const int colon = rest.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        kind = rest.left(colon);
        millis = rest.mid(colon + 1);
    }
    if (kind == QLatin1String("delay"))
        fault.kind = FaultKind::Delay;
    else if (kind == QLatin1String("noanswer") || kind == QLatin1String("silent"))
        fault.kind = FaultKind::NoAnswer;
    else if (kind == QLatin1String("error"))
        fault.kind = FaultKind::Error;
    else if (kind == QLatin1String("noise"))
        fault.kind = FaultKind::Noise;
    else if (kind == QLatin1String("hangup"))
        fault.kind = FaultKind::HangUp;
    else
        return fail(QStringLiteral("fault \"%1\": unknown kind \"%2\"").arg(text, kind));
    if (fault.kind == FaultKind::Delay) {
        bool ok = false;
        fault.delayMs = millis.toInt(&ok);
        if (!ok || fault.delayMs < 0)
            return fail(QStringLiteral("fault \"%1\": delay needs :<milliseconds>").arg(text));
    } else if (!millis.isEmpty()) {
        return fail(QStringLiteral("fault \"%1\": only delay takes milliseconds").arg(text));
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
