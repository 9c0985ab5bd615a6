#include "sim/staging.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace telvio::sim {
namespace {

constexpr qint64 maxStateFileSize = 1 << 20;

bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

QString quoted(const QByteArray &text)
{
    return QLatin1Char('"') + QString::fromLatin1(text) + QLatin1Char('"');
}

bool isCode(const QByteArray &code)
{
    if (code.size() < 4 || code.size() > 8)
        return false;
    for (char c : code) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

QByteArray fieldText(const SettingField &field)
{
    QByteArray text = "(";
    for (int i = 0; i < field.allowed.size(); ++i) {
        const auto &range = field.allowed.at(i);
        if (i > 0)
            text += ',';
        text += QByteArray::number(range.first);
        if (range.second != range.first)
            text += '-' + QByteArray::number(range.second);
    }
    return text + ')';
}

std::optional<QByteArray> valueText(const QJsonValue &value)
{
    if (value.isString())
        return value.toString().toLatin1();
    if (value.isDouble()) {
        const double number = value.toDouble();
        if (std::isfinite(number) && std::floor(number) == number && std::fabs(number) < 1e15)
            return QByteArray::number(qint64(number));
        return QByteArray::number(number, 'g', 15);
    }
    return std::nullopt;
}

} // namespace

std::optional<SimAssignment> parseAssignment(const QString &text, QString *error)
{
    const int eq = text.indexOf(QLatin1Char('='));
    if (eq < 0) {
        fail(error, QStringLiteral("--set \"%1\": expected NAME=VALUE").arg(text));
        return std::nullopt;
    }
    SimAssignment assignment{text.left(eq).trimmed().toLatin1(), text.mid(eq + 1).toLatin1()};
    if (assignment.name.isEmpty()) {
        fail(error, QStringLiteral("--set \"%1\": the name is missing").arg(text));
        return std::nullopt;
    }
    return assignment;
}

bool parseStateJson(const QByteArray &json, QList<SimAssignment> *assignments, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return fail(error, QStringLiteral("not JSON: %1 at offset %2").arg(parseError.errorString()).arg(parseError.offset));
    if (!document.isObject())
        return fail(error, QStringLiteral("expected one JSON object of NAME: value"));
    const QJsonObject object = document.object();
    QList<SimAssignment> result;
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QByteArray name = it.key().trimmed().toLatin1();
        if (name.isEmpty())
            return fail(error, QStringLiteral("an entry has an empty name"));
        const std::optional<QByteArray> value = valueText(it.value());
        if (!value)
            return fail(error, QStringLiteral("entry \"%1\": the value is not a string or a number").arg(it.key()));
        result.append({name, *value});
    }
    *assignments = result;
    return true;
}

bool loadStateFile(const QString &path, QList<SimAssignment> *assignments, QString *error)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return fail(error, QStringLiteral("state file \"%1\": not a readable file").arg(path));
    if (info.size() > maxStateFileSize)
        return fail(error, QStringLiteral("state file \"%1\": larger than 1 MiB").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, QStringLiteral("state file \"%1\": %2").arg(path, file.errorString()));
    QString message;
    if (!parseStateJson(file.read(maxStateFileSize), assignments, &message))
        return fail(error, QStringLiteral("state file \"%1\": %2").arg(path, message));
    return true;
}

bool isSettingName(const QByteArray &name)
{
    if (name.isEmpty())
        return false;
    if (QByteArray("+&%\\*#$").contains(name.at(0)))
        return true;
    if (name.size() < 2 || (name.at(0) != 'S' && name.at(0) != 's'))
        return false;
    for (int i = 1; i < name.size(); ++i) {
        if (name.at(i) < '0' || name.at(i) > '9')
            return false;
    }
    return true;
}

QByteArray acceptedValues(const SettingDef &def)
{
    if (!def.testText.isEmpty())
        return def.testText;
    QByteArray text;
    for (const SettingField &field : def.fields) {
        if (!text.isEmpty())
            text += ',';
        text += fieldText(field);
    }
    return text;
}

bool applyAssignment(ModemState &state, const SimAssignment &assignment, QString *error)
{
    const QByteArray name = assignment.name.trimmed();
    const QByteArray upper = name.toUpper();
    const QByteArray &value = assignment.value;
    if (name.isEmpty())
        return fail(error, QStringLiteral("a name is missing"));

    if (upper == "SIM") {
        const auto card = simCardFromKey(QString::fromLatin1(value.trimmed()));
        if (!card)
            return fail(error, QStringLiteral("SIM takes ready, pin, puk or absent, not %1").arg(quoted(value)));
        SimCardState &sim = state.sim();
        sim.card = *card;
        sim.pinAttemptsLeft = 3;
        sim.pukAttemptsLeft = 10;
        return true;
    }
    if (upper == "PIN" || upper == "PUK") {
        if (!isCode(value))
            return fail(error, QStringLiteral("%1 takes 4 to 8 digits, not %2").arg(QString::fromLatin1(upper), quoted(value)));
        (upper == "PIN" ? state.sim().pin : state.sim().puk) = value;
        return true;
    }
    if (const SettingDef *def = state.setting(upper)) {
        if (value.trimmed().isEmpty() || !state.setAtPowerUp(upper, value.trimmed())) {
            const QByteArray accepted = acceptedValues(*def);
            const QString what = accepted.isEmpty() ? QStringLiteral("a value its set command takes")
                                                    : QString::fromLatin1(accepted);
            return fail(error, QStringLiteral("%1 takes %2, not %3").arg(QString::fromLatin1(upper), what, quoted(value)));
        }
        return true;
    }
    if (isSettingName(upper)) {
        return fail(error, QStringLiteral("%1 is not a setting of the %2")
                               .arg(QString::fromLatin1(name), QString::fromLatin1(modelInfo(state.model()).name)));
    }
    state.setVariable(name, value);
    return true;
}

} // namespace telvio::sim
