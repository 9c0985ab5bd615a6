#pragma once

#include "pages/core/pageslayer.h"

#include "link/core/modemtraits.h"
#include "link/core/settingsrecord.h"
#include "pages/core/gprsrecord.h"

#include <QByteArray>
#include <QList>

#include <optional>

namespace telvio {

// The three firmwares ask and set the same kinds of values with different
// commands and answer shapes; each set is a table of these rows, and one
// read and one write walk whichever table the modem speaks.

// What becomes of the text cut out of an answer.
enum class GprsCleaning {
    None,            // stored as it is
    DropEnds,        // longer than one character: its first and last (the quotes) dropped
    NoQuotesOrBlanks, // every double quote and blank removed
    Address,         // four octets "a.b.c.d", quotes and blanks ignored
    Number,          // a decimal number
    PingSync,        // "mode,delay,idle"
};

// Where a value goes.
enum class GprsValue {
    Apn,
    UserName,
    Password,
    ServerIp,
    Port,
    TxDelay,
    AutoConnect,
    ConnectionMode,
    ClientIp,
    PingSync,
    TcpStatus,
    ContextState, // the IP stack's context: not a setting, the page's `contextActive`
};

// One query of a read.
struct GprsQuery {
    const char *command;
    const char *success; // matched in order, character by character
    const char *error;   // empty: none
    const char *keyword;
    // Where the value starts, counted from the keyword's first character.
    // Past the keyword this is the one blank the modem puts after its colon.
    int skip;
    bool cutAtCr;
    GprsCleaning cleaning;
    GprsValue value;
};

// How a set command carries its value.
enum class GprsFormat {
    QuotedText,          // ="text"
    QuotedAddress,       // ="a.b.c.d"
    QuotedAddressOrNone, // ="a.b.c.d", or ="" for 0.0.0.0
    Plain,               // =text as stored (port, delay)
    Number,              // =n
    PingSync,            // =mode,delay,idle
};

struct GprsSetting {
    const char *command; // up to and including "="
    GprsFormat format;
    GprsValue value;
};

// The queries of a read, in order; PlainGprs has none of these (its one
// value is read line by line).
const QList<GprsQuery> &GprsReadTable(GprsCommandSet set);
// The set commands of a write, in order; PlainGprs: none of these.
const QList<GprsSetting> &GprsWriteTable(GprsCommandSet set);

// The text of an answer that a row's keyword, skip and cut select: empty
// when the keyword is missing (`found` false). A value never runs past its
// own line.
QByteArray CutGprsValue(const QByteArray &answer, const char *keyword, int skip, bool cutAtCr, bool *found = nullptr);

// The address rule: quotes and blanks removed, each part up to a "." a
// decimal number kept as its low byte; missing parts give 0.
Octets ParseAddress(const QByteArray &text);

struct PingSyncValue {
    int8_t mode = 0; // 1 when the modem's number is above 0
    uint8_t delay = 0;
    int32_t idle = 0;
};
PingSyncValue ParsePingSync(const QByteArray &text);

// The cut text after the row's cleaning (texts only; numbers and
// addresses are read when stored).
QByteArray CleanGprsValue(const QByteArray &cut, GprsCleaning cleaning);

// Stores one cleaned value in the record; ContextState is not stored.
void StoreGprsValue(GprsSettingsRecord &record, const GprsQuery &query, const QByteArray &cut);

// The set command for one row, or nothing when a text the row puts inside
// double quotes would break out of them.
std::optional<QByteArray> FormatGprsSetting(const GprsSetting &setting, const GprsSettingsRecord &record);

// The access point name of context 1 in an "AT+CGDCONT?" answer: the third
// field of the line "+CGDCONT: 1,...", quotes removed; empty when context
// 1 is not defined.
QByteArray ParseCgdcontApn(const QByteArray &answer);
// "AT+CGDCONT=1,\"IP\",\"apn\",\"0.0.0.0\",0,0", or "AT+CGDCONT=1" (context 1
// undefined) for an empty name; nothing for a name that would break out of
// its quotes.
std::optional<QByteArray> FormatCgdcontCommand(const QByteArray &apn);

// The attach state of an "AT+CGATT?" answer.
int ParseCgattAnswer(const QByteArray &answer);

// The GPRS connection an "AT*WIPSTATUS" answer reports.
bool IpStatusConnected(const QByteArray &answer);

// The ping settings of an "AT*WPINGCONFIG?" answer: delay, count, address.
struct PingConfig {
    int32_t delay = 0;
    int32_t count = 0;
    Octets address{};
    bool operator==(const PingConfig &o) const
    {
        return delay == o.delay && count == o.count && address == o.address;
    }
    bool operator!=(const PingConfig &o) const { return !(*this == o); }
};
PingConfig ParsePingConfig(const QByteArray &answer);
QByteArray FormatPingConfig(const PingConfig &config);

} // namespace telvio
