#include "link/core/sessionlog.h"

#include <QDateTime>

namespace telvio {

namespace {

// Result codes a modem of the family sends of its own accord, and the
// command whose answer carries the same prefix (empty: none does).
const struct {
    const char *prefix;
    const char *command;
} kUnsolicited[] = {
    {"RING", ""},          {"+CRING:", ""},         {"+CLIP:", "+CLIP"},   {"+CMTI:", ""},
    {"+CREG:", "+CREG"},   {"+CGREG:", "+CGREG"},   {"+WIND:", "+WIND"},   {"*WPING:", ""},
};

bool FinalResult(const QByteArray &line)
{
    return line == "OK" || line == "ERROR" || line == "0" || line == "4" || line.startsWith("+CME ERROR:")
        || line.startsWith("+CMS ERROR:") || line == "NO CARRIER" || line.startsWith("CONNECT");
}

} // namespace

SessionLog::~SessionLog()
{
    Close();
}

bool SessionLog::Open(const QString &path, QString *error)
{
    Close();
    m_file.setFileName(path);
    // Unbuffered: a line is one write of its own, whole even when another
    // session appends to the same file.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        if (error)
            *error = m_file.errorString();
        return false;
    }
    m_pending.clear();
    m_answerOpen = false;
    return true;
}

void SessionLog::Close()
{
    if (!m_file.isOpen())
        return;
    EndReceived();
    m_file.close();
}

bool SessionLog::Unsolicited(const QByteArray &line, const QByteArray &lastCommand, bool answerOpen)
{
    const QByteArray text = line.trimmed();
    for (const auto &u : kUnsolicited) {
        if (!text.startsWith(u.prefix))
            continue;
        if (answerOpen && *u.command && lastCommand.toUpper().contains(u.command))
            return false;
        return true;
    }
    return false;
}

void SessionLog::Record(TraceDirection dir, const QByteArray &bytes)
{
    if (!m_file.isOpen() || bytes.isEmpty())
        return;
    if (dir == TraceDirection::Sent) {
        EndReceived();
        m_lastCommand = bytes;
        m_answerOpen = true;
        WriteLine(dir, bytes, false);
        return;
    }
    m_pending += bytes;
    // A line ends at a line feed that follows some text: the blank <CR><LF>
    // a verbose result starts with goes with that result.
    int from = 0;
    for (int end = m_pending.indexOf('\n'); end >= 0; end = m_pending.indexOf('\n', end + 1)) {
        const QByteArray line = m_pending.mid(from, end + 1 - from);
        QByteArray text;
        for (const QByteArray &part : line.split('\r')) {
            if (!part.trimmed().isEmpty())
                text = part.trimmed();
        }
        if (text.isEmpty())
            continue;
        const bool unsolicited = Unsolicited(text, m_lastCommand, m_answerOpen);
        if (FinalResult(text))
            m_answerOpen = false;
        WriteLine(dir, line, unsolicited);
        from = end + 1;
    }
    m_pending.remove(0, from);
}

void SessionLog::EndReceived()
{
    if (m_pending.isEmpty())
        return;
    const QByteArray rest = m_pending;
    m_pending.clear();
    WriteLine(TraceDirection::Received, rest, false);
}

void SessionLog::WriteLine(TraceDirection dir, const QByteArray &bytes, bool unsolicited)
{
    const QString stamp = m_clock ? m_clock()
                                  : QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
    QString line = stamp;
    if (!m_label.isEmpty())
        line += QLatin1Char(' ') + m_label;
    line += dir == TraceDirection::Sent ? QLatin1String(" >> ") : QLatin1String(" << ");
    if (unsolicited)
        line += QLatin1String("unsolicited ");
    line += EscapeControl(bytes) + QLatin1Char('\n');
    m_file.write(line.toUtf8());
}

} // namespace telvio
