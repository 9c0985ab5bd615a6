#include "pages/core/pageframe.h"

namespace telvio {

const QString TransferFrame::kTransferText = QStringLiteral("Transfering data");

TransferFrame::TransferFrame(ModemSession &session, const QString &text)
    : m_session(session), m_window(session, text), m_busy(session)
{
}

TransferFrame::~TransferFrame()
{
    if (m_restorePending)
        RestoreNumeric();
}

int TransferFrame::SwitchToVerbose()
{
    if (m_session.Verbose())
        return ExSuccess;
    m_restorePending = true;
    return Send(QByteArrayLiteral("ATV1"), 3, QByteArrayLiteral("OK\r\n"));
}

void TransferFrame::RestoreNumeric()
{
    m_restorePending = false;
    QByteArray at = QByteArrayLiteral("AT");
    const int r = m_session.Exchange(at, 1, QByteArrayLiteral("OK\r\n"));
    const bool echoes = r > 0 && at.contains("AT");
    QByteArray v0 = QByteArrayLiteral("ATV0");
    m_session.Exchange(v0, 1, NumericOkAfterEcho(echoes));
}

bool TransferFrame::TakeOverRestore()
{
    const bool due = m_restorePending;
    m_restorePending = false;
    return due;
}

int TransferFrame::Send(const QByteArray &command, int factor, const QByteArray &success)
{
    m_answer = command;
    return m_session.Exchange(m_answer, factor, success);
}

int TransferFrame::Send(const QByteArray &command, int factor, const QByteArray &success, const QByteArray &error)
{
    m_answer = command;
    return m_session.Exchange(m_answer, factor, success, error);
}

int FindItemStartingWith(const QStringList &items, const QString &prefix)
{
    if (prefix.isEmpty() || items.isEmpty())
        return -1;
    for (int k = 1; k <= items.size(); ++k) {
        const int i = k % int(items.size());
        if (items.at(i).startsWith(prefix, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

int FindListItem(const QStringList &items, const QByteArray &value)
{
    if (value.isEmpty())
        return -1;
    return FindItemStartingWith(items, QString::fromLatin1(value) + QLatin1String(" -"));
}

QByteArray ListItemValue(const QString &itemText)
{
    const int dash = itemText.indexOf(QLatin1String(" -"));
    return (dash < 0 ? itemText : itemText.left(dash)).toLatin1();
}

bool SafeQuotedText(const QByteArray &text)
{
    for (const char c : text) {
        if (c == '"' || uchar(c) < 0x20 || uchar(c) == 0x7F)
            return false;
    }
    return true;
}

} // namespace telvio
