#include "link/core/cmeerrors.h"

#include <QList>

namespace telvio {

namespace {

struct Meaning {
    int code;
    const char *text;
};

const Meaning kCme[] = {
    {0, "phone failure"},
    {1, "no connection to phone"},
    {2, "phone-adaptor link reserved"},
    {3, "operation not allowed"},
    {4, "operation not supported"},
    {5, "PH-SIM PIN required"},
    {6, "PH-FSIM PIN required"},
    {7, "PH-FSIM PUK required"},
    {10, "SIM not inserted"},
    {11, "SIM PIN required"},
    {12, "SIM PUK required"},
    {13, "SIM failure"},
    {14, "SIM busy"},
    {15, "SIM wrong"},
    {16, "incorrect password"},
    {17, "SIM PIN2 required"},
    {18, "SIM PUK2 required"},
    {20, "memory full"},
    {21, "invalid index"},
    {22, "not found"},
    {23, "memory failure"},
    {24, "text string too long"},
    {25, "invalid characters in text string"},
    {26, "dial string too long"},
    {27, "invalid characters in dial string"},
    {30, "no network service"},
    {31, "network timeout"},
    {32, "network not allowed - emergency calls only"},
    {40, "network personalization PIN required"},
    {41, "network personalization PUK required"},
    {42, "network subset personalization PIN required"},
    {43, "network subset personalization PUK required"},
    {44, "service provider personalization PIN required"},
    {45, "service provider personalization PUK required"},
    {46, "corporate personalization PIN required"},
    {47, "corporate personalization PUK required"},
    {48, "hidden key required"},
    {49, "EAP method not supported"},
    {50, "incorrect parameters"},
    {100, "unknown"},
    {103, "illegal MS"},
    {106, "illegal ME"},
    {107, "GPRS services not allowed"},
    {111, "PLMN not allowed"},
    {112, "location area not allowed"},
    {113, "roaming not allowed in this location area"},
    {132, "service option not supported"},
    {133, "requested service option not subscribed"},
    {134, "service option temporarily out of order"},
    {148, "unspecified GPRS error"},
    {149, "PDP authentication failure"},
    {150, "invalid mobile class"},
};

// Codes below 128 are the network's causes (24.011), from 128 to 255 the
// transfer layer's (23.040), from 300 the terminal's own.
const Meaning kCms[] = {
    {1, "unassigned (unallocated) number"},
    {8, "operator determined barring"},
    {10, "call barred"},
    {21, "short message transfer rejected"},
    {27, "destination out of service"},
    {28, "unidentified subscriber"},
    {29, "facility rejected"},
    {30, "unknown subscriber"},
    {38, "network out of order"},
    {41, "temporary failure"},
    {42, "congestion"},
    {47, "resources unavailable, unspecified"},
    {50, "requested facility not subscribed"},
    {69, "requested facility not implemented"},
    {81, "invalid short message transfer reference value"},
    {95, "invalid message, unspecified"},
    {96, "invalid mandatory information"},
    {97, "message type non-existent or not implemented"},
    {98, "message not compatible with short message protocol state"},
    {99, "information element non-existent or not implemented"},
    {111, "protocol error, unspecified"},
    {127, "interworking, unspecified"},
    {128, "telematic interworking not supported"},
    {129, "short message type 0 not supported"},
    {130, "cannot replace short message"},
    {143, "unspecified TP-PID error"},
    {144, "data coding scheme (alphabet) not supported"},
    {145, "message class not supported"},
    {159, "unspecified TP-DCS error"},
    {160, "command cannot be actioned"},
    {161, "command unsupported"},
    {175, "unspecified TP-Command error"},
    {176, "TPDU not supported"},
    {192, "SC busy"},
    {193, "no SC subscription"},
    {194, "SC system failure"},
    {195, "invalid SME address"},
    {196, "destination SME barred"},
    {197, "SM rejected-duplicate SM"},
    {198, "TP-VPF not supported"},
    {199, "TP-VP not supported"},
    {208, "SIM SMS storage full"},
    {209, "no SMS storage capability in SIM"},
    {210, "error in MS"},
    {211, "memory capacity exceeded"},
    {212, "SIM application toolkit busy"},
    {213, "SIM data download error"},
    {255, "unspecified error cause"},
    {300, "ME failure"},
    {301, "SMS service of ME reserved"},
    {302, "operation not allowed"},
    {303, "operation not supported"},
    {304, "invalid PDU mode parameter"},
    {305, "invalid text mode parameter"},
    {310, "SIM not inserted"},
    {311, "SIM PIN required"},
    {312, "PH-SIM PIN required"},
    {313, "SIM failure"},
    {314, "SIM busy"},
    {315, "SIM wrong"},
    {316, "SIM PUK required"},
    {317, "SIM PIN2 required"},
    {318, "SIM PUK2 required"},
    {320, "memory failure"},
    {321, "invalid memory index"},
    {322, "memory full"},
    {330, "SMSC address unknown"},
    {331, "no network service"},
    {332, "network timeout"},
    {340, "no +CNMA acknowledgement expected"},
    {500, "unknown error"},
};

template <size_t N>
QString Lookup(const Meaning (&table)[N], int code)
{
    for (const Meaning &m : table) {
        if (m.code == code)
            return QString::fromLatin1(m.text);
    }
    return QString();
}

// "+CME ERROR: 10" with its meaning; the text as it stands when the value
// is no plain number (a modem in +CMEE=2 names the error itself).
QString WithMeaning(const QByteArray &line, int valueAt, bool cme)
{
    const QByteArray value = line.mid(valueAt).trimmed();
    bool number = !value.isEmpty();
    for (const char c : value)
        number = number && c >= '0' && c <= '9';
    const QString text = QString::fromLatin1(line.left(valueAt)).trimmed() + QLatin1Char(' ')
        + QString::fromLatin1(value);
    if (!number || value.size() > 5)
        return text;
    const QString meaning = cme ? CmeErrorMeaning(value.toInt()) : CmsErrorMeaning(value.toInt());
    return meaning.isEmpty() ? text : QStringLiteral("%1 (%2)").arg(text, meaning);
}

} // namespace

QString CmeErrorMeaning(int code)
{
    return Lookup(kCme, code);
}

QString CmsErrorMeaning(int code)
{
    return Lookup(kCms, code);
}

QString DescribeRefusal(const QByteArray &answer)
{
    QString found;
    QByteArray normalised = answer;
    normalised.replace('\n', '\r');
    for (const QByteArray &raw : normalised.split('\r')) {
        const QByteArray line = raw.trimmed();
        if (line == "ERROR")
            found = QStringLiteral("ERROR");
        else if (line.startsWith("+CME ERROR:"))
            found = WithMeaning(line, 11, true);
        else if (line.startsWith("+CMS ERROR:"))
            found = WithMeaning(line, 11, false);
    }
    return found;
}

} // namespace telvio
