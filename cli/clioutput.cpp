#include "cli/clioutput.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <cstdio>

namespace telvio::cli {

namespace {
QString TextOf(const QJsonValue &v)
{
    switch (v.type()) {
    case QJsonValue::Bool: return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QJsonValue::Double: return QString::number(v.toDouble(), 'g', 15);
    case QJsonValue::String: return v.toString();
    case QJsonValue::Array: {
        QStringList parts;
        for (const QJsonValue &e : v.toArray())
            parts << TextOf(e);
        return parts.join(QLatin1String(", "));
    }
    default: return QString::fromUtf8(QJsonDocument(v.toObject()).toJson(QJsonDocument::Compact));
    }
}
} // namespace

void Output::Set(const QString &key, const QJsonValue &value)
{
    m_object.insert(key, value);
    if (!m_json)
        m_lines << key + QLatin1String(": ") + TextOf(value);
}

void Output::Line(const QString &text)
{
    if (!m_json)
        m_lines << text;
}

void Output::Error(const QString &text)
{
    if (m_json && !m_object.contains(QLatin1String("error")))
        m_object.insert(QStringLiteral("error"), text);
    if (m_capture) {
        m_messages << text;
        return;
    }
    std::fprintf(stderr, "telvio-cli: %s\n", qPrintable(text));
    std::fflush(stderr);
}

void Output::Progress(const QString &text) const
{
    if (m_capture)
        return;
    std::fprintf(stderr, "%s\n", qPrintable(text));
    std::fflush(stderr);
}

void Output::Stream(const QByteArray &jsonLine, const QStringList &textLines)
{
    m_streamed = true;
    if (m_json) {
        std::fputs(jsonLine.constData(), stdout);
        std::fputc('\n', stdout);
    } else {
        for (const QString &l : textLines)
            std::printf("%s\n", qPrintable(l));
    }
    std::fflush(stdout);
}

QJsonObject Output::TakeFields()
{
    QJsonObject fields;
    std::swap(fields, m_object);
    m_lines.clear();
    return fields;
}

void Output::Flush()
{
    if (m_streamed) {
        m_lines.clear();
        return;
    }
    if (m_json) {
        std::fputs(QJsonDocument(m_object).toJson(QJsonDocument::Compact).constData(), stdout);
        std::fputc('\n', stdout);
    } else {
        for (const QString &l : m_lines)
            std::printf("%s\n", qPrintable(l));
    }
    std::fflush(stdout);
    m_lines.clear();
}

} // namespace telvio::cli
