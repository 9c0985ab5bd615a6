#include "support/fixtures.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace telvio::test {

QByteArray ReadFixture(const QString &name)
{
    QFile f(QStringLiteral(TELVIO_FIXTURES_DIR "/") + name);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QList<RealAnswer> LoadRealAnswers()
{
    QList<RealAnswer> out;
    const QJsonArray all = QJsonDocument::fromJson(ReadFixture(QStringLiteral("real-answers.json"))).array();
    for (const QJsonValue &v : all) {
        const QJsonObject o = v.toObject();
        RealAnswer a;
        // The answers are single-byte text: keep each character as one byte.
        a.command = o.value(QLatin1String("command")).toString().toLatin1();
        a.answer = o.value(QLatin1String("answer")).toString().toLatin1();
        a.verbose = o.value(QLatin1String("mode")).toString() != QLatin1String("numeric");
        a.echo = o.value(QLatin1String("echo")).toBool();
        a.source = o.value(QLatin1String("source")).toString();
        out.append(a);
    }
    return out;
}

} // namespace telvio::test
