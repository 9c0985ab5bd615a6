#include "pages/core/callbackparsers.h"

#include "pages/core/answertext.h"
#include "pages/core/pageframe.h"

namespace telvio {

int ParseCallbackControlAnswer(const QByteArray &answer, const QStringList &items)
{
    bool found = false;
    const QByteArray value = WithoutLeadingBlanks(LineAfterKeyword(answer, "WCB:", &found));
    return found ? FindItemStartingWith(items, QString::fromLatin1(value)) : -1;
}

bool ParseCallbackEntry(const QByteArray &answer, const QByteArray &keyword, int k, QByteArray *value)
{
    const QByteArray key = keyword + QByteArray::number(k) + ':';
    const int at = IndexAfter(answer, key);
    if (at < 0)
        return false;
    const int cr = answer.indexOf('\r', at);
    *value = answer.mid(at, cr < 0 ? -1 : cr - at).left(kCallbackTextLimit);
    return true;
}

} // namespace telvio
