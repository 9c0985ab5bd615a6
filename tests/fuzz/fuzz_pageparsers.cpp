// Every page's answer parsers on arbitrary answers: the Basic page, the DTR
// event functions, the Serial page's profile dump, the SMS settings, the
// answer text helpers, the identification answers, and the I/O and
// Callback pages' answers with the commands made from what they read. Beyond not crashing, each result must
// Signal page's field walk, the answer text helpers and the identification
// answers. Beyond not crashing, each result must
// GPRS settings of the three command sets, the answer text helpers and the identification answers. Beyond not crashing, each result must
// keep the bounds the pages rely on (list positions inside their lists,
// fields no longer than their edits, codes from their sets).
#include "link/core/identification.h"
#include "monitor/core/signalparsers.h"
#include "pages/core/answertext.h"
#include "pages/core/basicform.h"
#include "pages/core/basicparsers.h"
#include "pages/core/dtrparsers.h"
#include "pages/core/gprsparsers.h"
#include "pages/core/serialsettingsparsers.h"
#include "pages/core/smsparsers.h"
#include "monitor/core/diagnosticanswers.h"
#include "monitor/core/report.h"
#include "pages/core/callbackform.h"
#include "pages/core/callbackparsers.h"
#include "pages/core/commandargument.h"
#include "pages/core/ioform.h"
#include "pages/core/iologic.h"
#include "pages/core/ioparsers.h"
#include "pages/core/iorecord.h"

#include <QByteArray>

#include <algorithm>
#include <QString>

#include <cstdint>
#include <cstdlib>

using namespace telvio;

namespace {

void Check(bool condition)
{
    if (!condition)
        abort();
}

bool ListPosition(int position, const QStringList &items)
{
    return position >= -1 && position < items.size();
}

bool NoLineEnd(const QByteArray &text)
{
    return !text.contains('\r') && !text.contains('\n');
}

void BasicPage(const QByteArray &answer)
{
    ParseS0Answer(answer);
    Check(ListPosition(ParseCompressionAnswer(answer), BasicForm::CompressionItems()));
    Check(ListPosition(ParseErrorCorrectionAnswer(answer), BasicForm::ErrorCorrectionItems()));
    ParseClckAnswer(answer);
    const WpinValue wpin = ParseWpinAnswer(answer);
    Check(wpin.code.size() <= 4);
    FormatWpinCommand(wpin.enabled, wpin.code);
    FormatWstatledCommand(ParseWstatledAnswer(answer));
    const WrstValue wrst = ParseWrstAnswer(answer);
    Check(wrst.delay.size() <= 6 && wrst.timeToReset.size() <= 6);
    FormatWrstCommand(wrst.enabled, wrst.delay);
    const CbstValue cbst = ParseCbstAnswer(answer);
    Check(cbst.speed >= -1 && cbst.ce >= -1);
    ResetDelayValid(QString::fromLatin1(answer));
}

void DtrFunctions(const QByteArray &answer)
{
    const QByteArray number = ParseCpbrAnswer(answer);
    FormatCpbwCommand(number);
    const StoredSms sms = ParseCmgrAnswer(answer);
    FormatCmgwCommand(sms.number);
    if (SafeSmsText(sms.message))
        SmsTextParts(sms.message);
    ParseWstrAnswer(answer);
    SmsTextParts(answer);
}

void SerialPage(const QByteArray &answer)
{
    const SerialDump dump = ParseSerialDump(answer);
    if (dump.framing)
        Check(dump.framing->dataBits >= 0 && dump.framing->dataBits <= 1 && dump.framing->stopBits >= 0
              && dump.framing->stopBits <= 1);
    ParseIcfValue(answer);
    ParseIfcValue(answer);
    DumpReader reader(answer);
    for (const char *keyword : {"V:", "&C:", "&D:", "+IPR:", "+ICF:", "+IFC:", "E:"}) {
        if (const auto value = reader.Value(keyword))
            Check(NoLineEnd(*value));
    }
    RateValue(QString::fromLatin1(answer));
}

void SmsPage(const QByteArray &answer)
{
    const QByteArray centre = ParseCscaAnswer(answer);
    Check(NoLineEnd(centre) && !centre.contains('"'));
    const int format = ParseCmgfAnswer(answer);
    Check(format == 0 || format == 1);
    for (const QByteArray &piece : SmsSendPieces(answer))
        Check(!piece.contains('\r'));
}

// A cleaned answer is a part of the answer, and whatever it holds leaves
// the report's markup alone.
void DiagnosticPage(const QByteArray &answer)
{
    ReportInput in;
    for (int i = 0; i < kDiagFieldCount; ++i) {
        for (bool error : {false, true}) {
            const QByteArray shown = CleanDiagnosticAnswer(DiagField(i), answer, error);
            Check(shown.size() <= answer.size());
            in.diagnostic[size_t(i)] = QString::fromLatin1(shown);
        }
    }
    const QByteArray html = WriteReport(in);
    Check(html.count("<tr>") == 12 && !html.contains("<script"));
}

// A set command made of what was read: either refused, or one command
// line that no text inside it can end or cut.
bool OneCommandLine(const QByteArray &command)
{
    for (const char c : command) {
        if (uchar(c) < 0x20 || uchar(c) == 0x7F)
            return false;
    }
    return true;
}

void IoPage(const QByteArray &answer)
{
    const IoEntryAnswer e = ParseIoEntryAnswer(answer, iopagetext::kServices, iopagetext::kRetries);
    Check(ListPosition(e.service, iopagetext::kServices) && ListPosition(e.retry, iopagetext::kRetries));
    Check(e.priority == 0 || e.priority == 1);
    Check(e.time.size() <= iolimit::Time);
    IoRecord record;
    record.SetInt(iofield::ServiceAt(9), e.service);
    record.SetInt(iofield::RetryAt(9), e.retry);
    record.SetText(iofield::TimeAt(9), iofield::NumberWidth, NormaliseIoTime(e.time));
    for (int d = 0; d < iofield::DataCount; ++d) {
        Check(e.data[size_t(d)].size() <= iolimit::Data[d]);
        record.SetText(iofield::DataAt(d, 9), iofield::kData[d].width, e.data[size_t(d)]);
    }
    Check(OneCommandLine(IoLogic::EntryCommand(record, 9)));
    const IoForm form = IoForm::Initial();
    const IoParametersAnswer p =
        ParseIoParametersAnswer(answer, form.trigType.items, form.trigLevel.items, form.outputCtrl.items);
    Check(p.tp.size() <= iolimit::Pulse && p.tc.size() <= iolimit::Pulse && NoLineEnd(p.tp) && NoLineEnd(p.tc));
    Check(ListPosition(p.trigType, form.trigType.items) && ListPosition(p.trigLevel, form.trigLevel.items)
          && ListPosition(p.outputCtrl, form.outputCtrl.items));
    const int enable = ParseIoEnableAnswer(answer);
    Check(enable == 0 || enable == 1);
    const QByteArray time = NormaliseIoTime(answer);
    // A normalised time is a number the entry's command can carry.
    Check(!time.isEmpty() && time.size() <= answer.size() + 1
          && std::all_of(time.begin(), time.end(), [](char c) { return c >= '0' && c <= '9'; })
          && time.toInt() <= 255);
}

void CallbackPage(const QByteArray &answer)
{
    Check(ListPosition(ParseCallbackControlAnswer(answer, CallbackForm::Initial().control.items),
                       CallbackForm::Initial().control.items));
    for (const char *keyword : {"WCBTAB", "WCBPWD"}) {
        for (int k = 1; k <= 3; ++k) {
            QByteArray value;
            if (ParseCallbackEntry(answer, keyword, k, &value)) {
                Check(value.size() <= kCallbackTextLimit && !value.contains('\r'));
                QByteArray argument;
                if (CommandArgument(value, &argument))
                    Check(OneCommandLine(argument));
            }
        }
    }
}

// Whatever a modem answered, a set command built from it is one command
// line: no value leaves its quotes or ends the line early.
void GprsPage(const QByteArray &answer)
{
    auto oneLine = [](const QByteArray &command) {
        return !command.contains('\r') && !command.contains('\n') && !command.contains('\x1a');
    };
    for (GprsCommandSet set : {GprsCommandSet::TcpFirmware, GprsCommandSet::IpStack}) {
        GprsSettingsRecord record;
        for (const GprsQuery &q : GprsReadTable(set)) {
            bool found = false;
            const QByteArray cut = CutGprsValue(answer, q.keyword, q.skip, q.cutAtCr, &found);
            Check(found || cut.isEmpty());
            if (q.cutAtCr)
                Check(NoLineEnd(cut));
            StoreGprsValue(record, q, cut);
        }
        Check(record.Byte(gprsfield::SyncMode) <= 1);
        for (const GprsSetting &s : GprsWriteTable(set)) {
            if (const std::optional<QByteArray> command = FormatGprsSetting(s, record))
                Check(oneLine(*command));
        }
    }
    const QByteArray apn = ParseCgdcontApn(answer);
    Check(NoLineEnd(apn) && !apn.contains('"'));
    if (const std::optional<QByteArray> command = FormatCgdcontCommand(apn))
        Check(oneLine(*command));
    ParseCgattAnswer(answer);
    IpStatusConnected(answer);
    Check(oneLine(FormatPingConfig(ParsePingConfig(answer))));
}

void AnswerText(const QByteArray &answer)
{
    LeadingNumber(answer);
    // A keyword and a position from the answer's own first bytes.
    const QByteArray keyword = answer.left(answer.isEmpty() ? 0 : (uchar(answer.at(0)) % 6));
    const int after = IndexAfter(answer, keyword, answer.size() > 1 ? uchar(answer.at(1)) % 8 : 0);
    Check(after >= -1 && after <= answer.size());
    Check(NoLineEnd(LineFrom(answer, after < 0 ? 0 : after)));
    bool found = false;
    const QByteArray rest = LineAfterKeyword(answer, keyword, &found);
    Check(found || rest.isEmpty());
    Check(NoLineEnd(rest));
    WithoutLeadingBlanks(answer);
    const QList<QByteArray> fields = SplitFields(answer);
    for (const QByteArray &field : fields)
        Unquote(field);
    QByteArray quoted;
    for (int n = 0; n < 4; ++n)
        QuotedField(answer, n, &quoted);
    Check(NoLineEnd(SingleValue(answer, "AT+CPIN?", "+CPIN:")));
    SingleValue(answer, "ATS0?", QByteArray());
}

void Identification(const QByteArray &answer)
{
    const QByteArray imei = ImeiFromAnswer(answer);
    Check(imei.size() <= 15 && NoLineEnd(imei));
    FindModel(imei);
    FindModel(answer);
    InformationLines(answer, "ATI9");
    FirmwareIdLine(answer);
    WopenVersion(answer);
    const int sim = SimStatusFromAnswer(answer);
    Check(sim >= 0 && sim <= 3);
    const QChar parity = ParityFromIcf(answer);
    Check(QStringLiteral("NOEMS").contains(parity));
}

void SignalPage(const QByteArray &answer)
{
    // The answer stands in for each of the cycle's answers in turn.
    QByteArray main = MainCellText(answer, answer);
    // A payload ends at a CR; a stray LF before it stays in.
    Check(!AnswerPayload(answer, "+CCED:").contains('\r') && !AnswerPayload(answer, "+CSQ:").contains('\r'));
    const QByteArray query = OperatorQuery(&main);
    Check(query.startsWith("at+wopn=0,"));
    const CellFields cell = WalkMainCell(main);
    Check(cell.berCode < 0 || cell.berCode > 7 || BerText(cell.berCode).startsWith(QString::number(cell.berCode)));
    bool ended = false;
    for (QByteArray text : SplitNeighbours(answer)) {
        // Once a neighbour cannot be completed, none after it is.
        Check(!ended || text.isEmpty());
        ended = ended || text.isEmpty();
        if (!text.isEmpty()) {
            OperatorQuery(&text);
            WalkNeighbour(text);
        }
    }
    Check(!OperatorName(answer).contains('"'));
    ColourOf(cell.rxlev, 16, 28);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray answer(reinterpret_cast<const char *>(data), int(size));
    BasicPage(answer);
    SmsPage(answer);
    DiagnosticPage(answer);
    GprsPage(answer);
    DtrFunctions(answer);
    SerialPage(answer);
    AnswerText(answer);
    Identification(answer);
    IoPage(answer);
    CallbackPage(answer);
    SignalPage(answer);
    return 0;
}
