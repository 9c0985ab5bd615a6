// Every page's answer parsers on arbitrary answers: the Basic page, the DTR
// event functions, the Serial page's profile dump, the SMS settings, the
// GPRS settings of the three command sets, the answer text helpers and the identification answers. Beyond not crashing, each result must
// keep the bounds the pages rely on (list positions inside their lists,
// fields no longer than their edits, codes from their sets).
#include "link/core/identification.h"
#include "pages/core/answertext.h"
#include "pages/core/basicform.h"
#include "pages/core/basicparsers.h"
#include "pages/core/dtrparsers.h"
#include "pages/core/gprsparsers.h"
#include "pages/core/serialsettingsparsers.h"
#include "pages/core/smsparsers.h"

#include <QByteArray>
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray answer(reinterpret_cast<const char *>(data), int(size));
    BasicPage(answer);
    SmsPage(answer);
    GprsPage(answer);
    DtrFunctions(answer);
    SerialPage(answer);
    AnswerText(answer);
    Identification(answer);
    return 0;
}
