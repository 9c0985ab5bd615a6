#include "sim/resultcodes.h"

namespace telvio::sim {
namespace {

struct ResultText {
    int code;
    const char *text;
};

ResultText resultText(FinalResult result)
{
    switch (result) {
    case FinalResult::Ok: return {0, "OK"};
    case FinalResult::Connect: return {1, "CONNECT"};
    case FinalResult::Ring: return {2, "RING"};
    case FinalResult::NoCarrier: return {3, "NO CARRIER"};
    case FinalResult::Error: return {4, "ERROR"};
    case FinalResult::NoDialtone: return {6, "NO DIALTONE"};
    case FinalResult::Busy: return {7, "BUSY"};
    case FinalResult::NoAnswer: return {8, "NO ANSWER"};
    case FinalResult::CmeError:
    case FinalResult::None: break;
    }
    return {4, "ERROR"};
}

} // namespace

CommandResult CommandResult::ok(QList<QByteArray> info)
{
    CommandResult result;
    result.info = std::move(info);
    return result;
}

CommandResult CommandResult::error()
{
    CommandResult result;
    result.result = FinalResult::Error;
    return result;
}

CommandResult CommandResult::cmeFailure(int error)
{
    CommandResult result;
    result.result = FinalResult::CmeError;
    result.cmeError = error;
    return result;
}

QByteArray formatInformation(const ResponseFormat &format, const QList<QByteArray> &lines)
{
    if (lines.isEmpty())
        return {};
    const QByteArray eol = QByteArray(1, format.cr) + format.lf;
    QByteArray text;
    if (format.verbose)
        text += eol;
    for (const QByteArray &line : lines)
        text += line + eol;
    return text;
}

QByteArray formatFinal(const ResponseFormat &format, const CommandResult &result)
{
    if (result.result == FinalResult::None)
        return {};
    if (result.result == FinalResult::CmeError && format.cmee != 0) {
        const QByteArray value = format.cmee == 2 ? cmeErrorText(result.cmeError)
                                                  : QByteArray::number(result.cmeError);
        return formatInformation(format, {"+CME ERROR: " + value});
    }
    const ResultText text = resultText(result.result);
    if (!format.verbose)
        return QByteArray::number(text.code) + format.cr;
    const QByteArray eol = QByteArray(1, format.cr) + format.lf;
    return eol + text.text + eol;
}

QByteArray cmeErrorText(int error)
{
    // 27.007 9.2.1 and 9.2.2.
    switch (error) {
    case 0: return "phone failure";
    case 1: return "no connection to phone";
    case cme::operationNotAllowed: return "operation not allowed";
    case cme::operationNotSupported: return "operation not supported";
    case cme::simNotInserted: return "SIM not inserted";
    case cme::simPinRequired: return "SIM PIN required";
    case cme::simPukRequired: return "SIM PUK required";
    case cme::simFailure: return "SIM failure";
    case 14: return "SIM busy";
    case 15: return "SIM wrong";
    case cme::incorrectPassword: return "incorrect password";
    case 20: return "memory full";
    case cme::invalidIndex: return "invalid index";
    case 22: return "not found";
    case 23: return "memory failure";
    case 24: return "text string too long";
    case 25: return "invalid characters in text string";
    case 26: return "dial string too long";
    case 27: return "invalid characters in dial string";
    case cme::noNetworkService: return "no network service";
    case 31: return "network timeout";
    case 32: return "network not allowed - emergency calls only";
    case cme::incorrectParameters: return "incorrect parameters";
    case 103: return "Illegal MS";
    case 106: return "Illegal ME";
    case 107: return "GPRS services not allowed";
    case 148: return "unspecified GPRS error";
    default: return "unknown";
    }
}

QByteArray formatUnsolicited(const ResponseFormat &format, const QByteArray &text)
{
    for (FinalResult code : {FinalResult::Ok, FinalResult::Connect, FinalResult::Ring, FinalResult::NoCarrier,
                             FinalResult::Error, FinalResult::NoDialtone, FinalResult::Busy, FinalResult::NoAnswer}) {
        if (text == resultText(code).text) {
            CommandResult result;
            result.result = code;
            return formatFinal(format, result);
        }
    }
    return formatInformation(format, {text});
}

} // namespace telvio::sim
