#include "pages/core/gprsparsers.h"

#include "pages/core/answertext.h"
#include "pages/core/pageframe.h"

#include <cstring>

namespace telvio {

namespace {

using C = GprsCleaning;
using V = GprsValue;
using F = GprsFormat;

const QList<GprsQuery> kTcpFirmwareQueries = {
    {"AT*WGPRSAPN?", "WGPRSAPN:OK\r\n", "", "WGPRSAPN:", 10, true, C::DropEnds, V::Apn},
    {"AT*WGPRSUN?", "WGPRSUN:OK\r\n", "", "WGPRSUN:", 9, true, C::DropEnds, V::UserName},
    {"AT*WGPRSPW?", "WGPRSPW:OK\r\n", "", "WGPRSPW:", 9, true, C::DropEnds, V::Password},
    {"AT*WTCPSERV?", "WTCPSERV:OK\r\n", "", "WTCPSERV:", 9, false, C::Address, V::ServerIp},
    {"AT*WTCPPORT?", "WTCPPORT:OK\r\n", "", "WTCPPORT:", 10, true, C::None, V::Port},
    {"AT*WTCPTXDELAY?", "WTCPTXDELAY:OK\r\n", "", "WTCPTXDELAY:", 13, true, C::None, V::TxDelay},
    {"AT*WTCPCONNECT?", "WTCPCONNECT:OK\r\n", "", "WTCPCONNECT:", 12, true, C::Number, V::AutoConnect},
    {"AT*WTCPMODE?", "WTCPMODE:OK\r\n", "", "WTCPMODE:", 9, true, C::Number, V::ConnectionMode},
    {"AT*WTCPCLIENTIP?", "WTCPCLIENTIP:OK\r\n", "", "WTCPCLIENTIP:", 13, false, C::Address, V::ClientIp},
    {"AT*WTCPPINGSYNC?", "WTCPPINGSYNC:OK\r\n", "", "WTCPPINGSYNC:", 13, true, C::PingSync, V::PingSync},
    {"AT*WTCPI?", "WTCPI:OK\r\n", "", "WTCPI:", 6, true, C::Number, V::TcpStatus},
};

// The IP stack answers its errors as "ERROR" throughout.
const QList<GprsQuery> kIpStackQueries = {
    {"AT#VSTATE", "OK\r\n", "ERROR\r\n", "#STATE:", 7, true, C::NoQuotesOrBlanks, V::ContextState},
    {"AT#APNSERV?", "OK\r\n", "ERROR\r\n", "APNSERV:", 8, true, C::NoQuotesOrBlanks, V::Apn},
    {"AT#APNUN?", "APNUN:OK\r\n", "ERROR\r\n", "APNUN:", 6, true, C::NoQuotesOrBlanks, V::UserName},
    {"AT#APNPW?", "APNPW:OK\r\n", "ERROR\r\n", "APNPW:", 6, true, C::NoQuotesOrBlanks, V::Password},
    {"AT#TCPSERV?", "TCPSERV:OK\r\n", "ERROR\r\n", "TCPSERV:", 8, false, C::Address, V::ServerIp},
    {"AT#TCPTXDELAY?", "TCPTXDELAY:OK\r\n", "ERROR\r\n", "TCPTXDELAY:", 12, true, C::None, V::TxDelay},
    {"AT#TCPPORT?", "TCPPORT:OK\r\n", "ERROR\r\n", "TCPPORT:", 9, true, C::None, V::Port},
};

const QList<GprsSetting> kTcpFirmwareSettings = {
    {"AT*WGPRSAPN=", F::QuotedText, V::Apn},
    {"AT*WGPRSUN=", F::QuotedText, V::UserName},
    {"AT*WGPRSPW=", F::QuotedText, V::Password},
    {"AT*WTCPSERV=", F::QuotedAddress, V::ServerIp},
    {"AT*WTCPPORT=", F::Plain, V::Port},
    {"AT*WTCPTXDELAY=", F::Plain, V::TxDelay},
    {"AT*WTCPCONNECT=", F::Number, V::AutoConnect},
    {"AT*WTCPMODE=", F::Number, V::ConnectionMode},
    {"AT*WTCPCLIENTIP=", F::QuotedAddress, V::ClientIp},
    {"AT*WTCPI=", F::Number, V::TcpStatus},
    {"AT*WTCPPINGSYNC=", F::PingSync, V::PingSync},
};

const QList<GprsSetting> kIpStackSettings = {
    {"AT#APNSERV=", F::QuotedText, V::Apn},
    {"AT#APNUN=", F::QuotedText, V::UserName},
    {"AT#APNPW=", F::QuotedText, V::Password},
    // The IP stack takes an empty text for "no server"; 0.0.0.0 would be
    // an address to connect to.
    {"AT#TCPSERV=", F::QuotedAddressOrNone, V::ServerIp},
    {"AT#TCPTXDELAY=", F::Plain, V::TxDelay},
    {"AT#TCPPORT=", F::Plain, V::Port},
};

const QList<GprsQuery> kNoQueries;
const QList<GprsSetting> kNoSettings;

QByteArray Without(QByteArray text, const char *characters)
{
    for (const char *c = characters; *c; ++c)
        text.replace(*c, QByteArray());
    return text;
}

struct TextField {
    int offset;
    int width;
};

TextField TextFieldOf(GprsValue value)
{
    using namespace gprsfield;
    switch (value) {
    case V::Apn: return {Apn, ApnWidth};
    case V::UserName: return {UserName, UserNameWidth};
    case V::Password: return {Password, PasswordWidth};
    case V::Port: return {Port, PortWidth};
    case V::TxDelay: return {TxDelay, TxDelayWidth};
    default: return {-1, 0};
    }
}

int AddressOffset(GprsValue value)
{
    return value == V::ClientIp ? gprsfield::ClientIp : gprsfield::ServerIp;
}

QByteArray Dotted(const Octets &o)
{
    return QByteArray::number(o[0]) + '.' + QByteArray::number(o[1]) + '.' + QByteArray::number(o[2]) + '.'
        + QByteArray::number(o[3]);
}

bool Digits(const QByteArray &text)
{
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

} // namespace

QByteArray CleanGprsValue(const QByteArray &cut, GprsCleaning cleaning)
{
    switch (cleaning) {
    case C::DropEnds: return cut.size() > 1 ? cut.mid(1, cut.size() - 2) : cut;
    case C::NoQuotesOrBlanks: return Without(cut, "\" ");
    default: return cut;
    }
}

const QList<GprsQuery> &GprsReadTable(GprsCommandSet set)
{
    switch (set) {
    case GprsCommandSet::TcpFirmware: return kTcpFirmwareQueries;
    case GprsCommandSet::IpStack: return kIpStackQueries;
    case GprsCommandSet::PlainGprs: break;
    }
    return kNoQueries;
}

const QList<GprsSetting> &GprsWriteTable(GprsCommandSet set)
{
    switch (set) {
    case GprsCommandSet::TcpFirmware: return kTcpFirmwareSettings;
    case GprsCommandSet::IpStack: return kIpStackSettings;
    case GprsCommandSet::PlainGprs: break;
    }
    return kNoSettings;
}

QByteArray CutGprsValue(const QByteArray &answer, const char *keyword, int skip, bool cutAtCr, bool *found)
{
    const int at = answer.indexOf(keyword);
    if (found)
        *found = at >= 0;
    if (at < 0)
        return QByteArray();
    const int keywordLength = int(std::strlen(keyword));
    int pos = at + keywordLength;
    // The blank the modem puts after its colon is part of the skip; an
    // answer without it must not lose the value's first character instead.
    for (int blanks = skip - keywordLength; blanks > 0 && pos < answer.size() && answer.at(pos) == ' '; --blanks)
        ++pos;
    QByteArray value = answer.mid(pos);
    if (cutAtCr) {
        for (int i = 0; i < value.size(); ++i) {
            if (value.at(i) == '\r' || value.at(i) == '\n') {
                value.truncate(i);
                break;
            }
        }
    }
    return value;
}

Octets ParseAddress(const QByteArray &text)
{
    const QList<QByteArray> parts = Without(text, "\" ").split('.');
    Octets octets{};
    for (int i = 0; i < 4 && i < parts.size(); ++i)
        octets[size_t(i)] = uint8_t(LeadingNumber(parts.at(i)));
    return octets;
}

PingSyncValue ParsePingSync(const QByteArray &text)
{
    const QList<QByteArray> parts = text.split(',');
    PingSyncValue v;
    v.mode = LeadingNumber(parts.value(0)) > 0 ? 1 : 0;
    v.delay = uint8_t(LeadingNumber(parts.value(1)));
    v.idle = LeadingNumber(parts.value(2));
    return v;
}

void StoreGprsValue(GprsSettingsRecord &record, const GprsQuery &query, const QByteArray &cut)
{
    using namespace gprsfield;
    const QByteArray text = CleanGprsValue(cut, query.cleaning);
    switch (query.value) {
    case V::Apn:
    case V::UserName:
    case V::Password:
    case V::Port:
    case V::TxDelay: {
        // A longer answer than the field holds is cut to the field.
        const TextField field = TextFieldOf(query.value);
        record.SetText(field.offset, field.width, text);
        break;
    }
    case V::ServerIp:
    case V::ClientIp: SetRecordOctets(record, AddressOffset(query.value), ParseAddress(text)); break;
    case V::AutoConnect: record.SetInt(AutoConnect, LeadingNumber(text)); break;
    case V::ConnectionMode: record.SetInt(ConnectionMode, LeadingNumber(text)); break;
    case V::TcpStatus: record.SetByte(TcpStatus, uint8_t(LeadingNumber(text))); break;
    case V::PingSync: {
        const PingSyncValue v = ParsePingSync(text);
        record.SetByte(SyncMode, uint8_t(v.mode));
        record.SetByte(SyncDelay, v.delay);
        record.SetInt(SyncIdle, v.idle);
        break;
    }
    case V::ContextState: break;
    }
}

std::optional<QByteArray> FormatGprsSetting(const GprsSetting &setting, const GprsSettingsRecord &record)
{
    using namespace gprsfield;
    const QByteArray command = setting.command;
    switch (setting.format) {
    case F::QuotedText: {
        const TextField field = TextFieldOf(setting.value);
        const QByteArray text = record.Text(field.offset, field.width);
        if (!SafeQuotedText(text))
            return std::nullopt;
        return command + '"' + text + '"';
    }
    case F::QuotedAddress: return command + '"' + Dotted(RecordOctets(record, AddressOffset(setting.value))) + '"';
    case F::QuotedAddressOrNone: {
        const Octets o = RecordOctets(record, AddressOffset(setting.value));
        return command + (o == Octets{} ? QByteArray("\"\"") : '"' + Dotted(o) + '"');
    }
    case F::Plain: {
        // Unquoted: anything but digits (a ";" or a CR from a profile file)
        // would start a command of its own.
        const TextField field = TextFieldOf(setting.value);
        const QByteArray text = record.Text(field.offset, field.width);
        if (!Digits(text))
            return std::nullopt;
        return command + text;
    }
    case F::Number: {
        int n = 0;
        if (setting.value == V::AutoConnect)
            n = record.Int(AutoConnect);
        else if (setting.value == V::ConnectionMode)
            n = record.Int(ConnectionMode);
        else
            n = int8_t(record.Byte(TcpStatus));
        return command + QByteArray::number(n);
    }
    case F::PingSync:
        return command + QByteArray::number(int8_t(record.Byte(SyncMode))) + ','
            + QByteArray::number(record.Byte(SyncDelay)) + ',' + QByteArray::number(record.Int(SyncIdle));
    }
    return std::nullopt;
}

QByteArray ParseCgdcontApn(const QByteArray &answer)
{
    QByteArray lines = answer;
    lines.replace('\r', '\n');
    for (const QByteArray &line : lines.split('\n')) {
        const int at = line.indexOf("CGDCONT:");
        if (at < 0)
            continue;
        const QList<QByteArray> fields = line.mid(at + 8).split(',');
        if (fields.value(0).trimmed() != "1")
            continue;
        // cid, PDP type, access point name: a short answer may end after
        // the name (no address or compression fields).
        return Without(fields.value(2), "\"");
    }
    return QByteArray();
}

std::optional<QByteArray> FormatCgdcontCommand(const QByteArray &apn)
{
    if (apn.isEmpty())
        return QByteArrayLiteral("AT+CGDCONT=1");
    if (!SafeQuotedText(apn))
        return std::nullopt;
    return QByteArrayLiteral("AT+CGDCONT=1,\"IP\",\"") + apn + QByteArrayLiteral("\",\"0.0.0.0\",0,0");
}

int ParseCgattAnswer(const QByteArray &answer)
{
    return LeadingNumber(CutGprsValue(answer, "CGATT:", 6, true));
}

bool IpStatusConnected(const QByteArray &answer)
{
    return answer.contains("CONNECTED") && !answer.contains("DISCONNECTED");
}

PingConfig ParsePingConfig(const QByteArray &answer)
{
    const QByteArray line = CutGprsValue(answer, "WPINGCONFIG:", 12, true);
    PingConfig c;
    c.delay = LeadingNumber(line);
    const int first = line.indexOf(',');
    if (first < 0)
        return c;
    c.count = LeadingNumber(line.mid(first + 1));
    const int second = line.indexOf(',', first + 1);
    if (second >= 0)
        c.address = ParseAddress(line.mid(second + 1));
    return c;
}

QByteArray FormatPingConfig(const PingConfig &config)
{
    return QByteArrayLiteral("AT*WPINGCONFIG=") + QByteArray::number(config.delay) + ','
        + QByteArray::number(config.count) + ",\"" + Dotted(config.address) + '"';
}

} // namespace telvio
