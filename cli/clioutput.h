#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace telvio::cli {

// What a command reports. In JSON mode standard output holds exactly one
// object, written once at the end; otherwise each field is a "name: value"
// line in the order it was set. Errors always go to standard error.
class Output {
public:
    explicit Output(bool json) : m_json(json) {}

    bool Json() const { return m_json; }
    void Set(const QString &key, const QJsonValue &value);
    // A text line printed as it is (text mode only).
    void Line(const QString &text);
    void Error(const QString &text);
    void Progress(const QString &text) const;
    void Flush();
    // For commands that report as they go (a watch): the object, or the
    // text lines, printed at once. Flush then adds no object of its own;
    // errors still go to standard error.
    void Stream(const QByteArray &jsonLine, const QStringList &textLines);
    // Hands over the fields set so far and forgets them (and their text
    // lines): a command that reports several pages nests each page's fields.
    QJsonObject TakeFields();

    // For a command run on one port among many: errors and progress are
    // kept (Messages) instead of printed, so that the caller reports each
    // port on one line of its own.
    void Capture() { m_capture = true; }
    QStringList Messages() const { return m_messages; }

private:
    bool m_capture = false;
    QStringList m_messages;
    bool m_json;
    QJsonObject m_object;
    QStringList m_lines;
    bool m_streamed = false;
};

} // namespace telvio::cli
