#pragma once

#include <QByteArray>
#include <QList>

namespace telvio::sim {

// Final result codes of V.250 (numeric values of table 1) and of 27.007.
enum class FinalResult {
    Ok,         // 0
    Connect,    // 1
    Ring,       // 2
    NoCarrier,  // 3
    Error,      // 4
    NoDialtone, // 6
    Busy,       // 7
    NoAnswer,   // 8
    CmeError,   // +CME ERROR: <err> (27.007 9.2)
    None,       // no final result code (a prompt, data mode)
};

// 27.007 9.2.1 error numbers used by the simulator.
namespace cme {
inline constexpr int operationNotAllowed = 3;
inline constexpr int operationNotSupported = 4;
inline constexpr int simNotInserted = 10;
inline constexpr int simPinRequired = 11;
inline constexpr int simPukRequired = 12;
inline constexpr int simFailure = 13;
inline constexpr int incorrectPassword = 16;
inline constexpr int invalidIndex = 21;
inline constexpr int noNetworkService = 30;
inline constexpr int incorrectParameters = 50;
inline constexpr int unknown = 100;
} // namespace cme

// What one command of a command line produced.
struct CommandResult {
    FinalResult result = FinalResult::Ok;
    int cmeError = 0;
    // Lines of information text; the framing (V0/V1, S3/S4) is added when sent.
    QList<QByteArray> info;

    static CommandResult ok(QList<QByteArray> info = {});
    static CommandResult error();
    static CommandResult cmeFailure(int error);
    bool succeeded() const { return result == FinalResult::Ok; }
};

// What the response format settings are at the moment a text is sent.
struct ResponseFormat {
    bool verbose = true; // V1
    char cr = '\r';      // S3
    char lf = '\n';      // S4
    int cmee = 1;        // +CMEE: 0 plain ERROR, 1 numeric, 2 verbose
};

// V1: "<cr><lf><text><cr><lf>", V0: "<text><cr><lf>"; lines of one text joined by <cr><lf>.
QByteArray formatInformation(const ResponseFormat &format, const QList<QByteArray> &lines);
// V1: "<cr><lf>OK<cr><lf>", V0: "0<cr>". +CME ERROR has no number of its own, so
// in V0 it is framed like information text. FinalResult::None gives nothing.
QByteArray formatFinal(const ResponseFormat &format, const CommandResult &result);
// The verbose text of a +CME ERROR number (+CMEE=2), "unknown" for numbers
// 27.007 does not name.
QByteArray cmeErrorText(int error);
// An unsolicited result code sent between other output. V.250's own (RING,
// NO CARRIER, ...) take their number in V0, as final results do; the others
// (+CREG: 1, +CMTI: "SM",3) are framed like information text.
QByteArray formatUnsolicited(const ResponseFormat &format, const QByteArray &text);

} // namespace telvio::sim
