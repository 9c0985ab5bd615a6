#include "pages/core/smstext.h"

namespace telvio {

int SmsText::Type(const QString &chars, int caret)
{
    const QString fitting = chars.left(Room(Length()));
    if (caret < 0 || caret > m_text.size())
        caret = int(m_text.size());
    m_text.insert(caret, fitting);
    return int(fitting.size());
}

bool SmsText::Enter(int caret)
{
    if (!EnterInserts(Length()))
        return false;
    if (caret < 0 || caret > m_text.size())
        caret = int(m_text.size());
    m_text.insert(caret, QStringLiteral("\r\n"));
    return true;
}

int SmsText::LengthOfEditText(const QString &editText)
{
    return int(editText.size() + editText.count(QLatin1Char('\n')));
}

QString SmsText::FromEditText(const QString &editText)
{
    QString text = editText;
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

QString SmsText::ToEditText(const QString &text)
{
    QString edit = text;
    edit.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    edit.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return edit;
}

} // namespace telvio
