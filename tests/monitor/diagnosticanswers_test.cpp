// What each Diagnostic field shows of its command's answer: echo or not,
// verbose or numeric framing, a blank after the colon or not, refused.
#include "monitor/core/diagnosticanswers.h"

#include <gtest/gtest.h>

#include <cctype>

using namespace telvio;

namespace {

struct AnswerCase {
    const char *name;
    DiagField field;
    QByteArray answer;
    bool errorSeen;
    QByteArray shown;
};

void PrintTo(const AnswerCase &c, std::ostream *os)
{
    *os << c.name;
}

class DiagnosticAnswers : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(DiagnosticAnswers, FieldShowsTheCleanedAnswer)
{
    const AnswerCase &c = GetParam();
    EXPECT_EQ(CleanDiagnosticAnswer(c.field, c.answer, c.errorSeen), c.shown);
}

const AnswerCase kCases[] = {
    // The line after the first: echo line or the blank line before the text.
    {"revision with echo", DiagField::Revision, "ATI3\r\r\nKR2.21 Pike-3 2019-03-07\r\n\r\nOK\r\n", false,
     "KR2.21 Pike-3 2019-03-07"},
    {"revision without echo", DiagField::Revision, "\r\nKR2.21 Pike-3 2019-03-07\r\n\r\nOK\r\n", false,
     "KR2.21 Pike-3 2019-03-07"},
    {"software revision keeps only its first line", DiagField::SoftwareRevision,
     "\r\n\"Kestrava\",\"6200\",\"v3.10\",\"Pike-3\"\r\n\"BOOT\",\"v1.04\",\"2024-05-14\"\r\n\r\nOK\r\n", false,
     "\"Kestrava\",\"6200\",\"v3.10\",\"Pike-3\""},
    {"imei, real answer", DiagField::Imei, "\r\n358021081917381\r\n\r\nOK\r\n", false, "358021081917381"},
    {"imei with LF line ends only", DiagField::Imei, "AT+CGSN\n358021081917381\nOK\n", false,
     "35802108191738"},
    {"refused software revision is the whole answer", DiagField::SoftwareRevision, "ATI9\r\r\nERROR\r\n", true,
     "ATI9\r\r\nERROR\r\n"},
    {"answer with no line end shows nothing", DiagField::Revision, "\r", false, ""},
    // Registration: the rest of the keyword's line without blanks.
    {"registration, blank after the colon", DiagField::Registration, "\r\n+CREG: 0, 1\r\n\r\nOK\r\n", false,
     "0,1"},
    {"registration with echo and location", DiagField::Registration,
     "AT+CREG?\r\r\n+CREG: 2,1,\"5E25\",\"605F\"\r\n\r\nOK\r\n", false, "2,1,\"5E25\",\"605F\""},
    {"registration without blank after the colon", DiagField::Registration, "\r\n+CREG:002,001\r\n\r\nOK\r\n",
     false, "002,001"},
    {"registration, answer without the keyword", DiagField::Registration, "AT+CREG?\r\r\nOK\r\n", false, ""},
    {"gprs registration, real answer", DiagField::GprsRegistration,
     "AT+CGREG?\r\r\n+CGREG: 0,5\r\n\r\nOK\r\n", false, "0,5"},
    {"gprs registration blanks inside", DiagField::GprsRegistration,
     "\r\n+CGREG: 2, 1, \"0426\", \"F00F\"\r\n\r\nOK\r\n", false, "2,1,\"0426\",\"F00F\""},
    {"registration refused stays raw", DiagField::Registration, "\r\n+CME ERROR: 10\r\n", true,
     "\r\n+CME ERROR: 10\r\n"},
    // Status: the first line dropped, then the text before OK.
    {"gprs status attached", DiagField::GprsStatus, "\r\n*WIPSTATUS: 1,\"10.64.12.7\"\r\n\r\nOK\r\n", false,
     "*WIPSTATUS: 1,\"10.64.12.7\"\r\n\r\n"},
    {"gprs status refused loses its first line", DiagField::GprsStatus, "AT*WIPSTATUS\r\r\nERROR\r\n", true,
     "ERROR\r\n"},
    {"gprs status cut short before OK", DiagField::GprsStatus, "\r\n*WIPSTATUS: 1", false, ""},
    // Dumps keep their lines.
    {"profile dump with echo", DiagField::ModemConfiguration,
     "AT&V\r\r\nACTIVE PROFILE:\r\nQ:0  V:1\r\n&C:1  &D:2\r\n\r\nOK\r\n", false,
     "ACTIVE PROFILE:\r\nQ:0  V:1\r\n&C:1  &D:2\r\n\r\n"},
    {"profile dump refused stays raw", DiagField::ModemConfiguration, "\r\n+CME ERROR: 3\r\n", true,
     "\r\n+CME ERROR: 3\r\n"},
    {"gprs configuration", DiagField::GprsConfiguration,
     "\r\n*WTCPV: APN:\"web\"  PORT:2000\r\n\r\nOK\r\n", false, "*WTCPV: APN:\"web\"  PORT:2000\r\n\r\n"},
};

INSTANTIATE_TEST_SUITE_P(Diagnostic, DiagnosticAnswers, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<AnswerCase> &info) {
                             std::string name = info.param.name;
                             for (char &c : name)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

TEST(DiagnosticLineCuts, SearchesStartAtPositionOne)
{
    // A leading LF is not the end of a first line.
    EXPECT_EQ(DropFirstLine("\nabc\ndef"), "def");
    EXPECT_EQ(DropFirstLine("no line end"), "no line end");
    // A keyword at the very start is not found.
    EXPECT_EQ(ValueAfterKeyword("+CREG: 1\r\n", "+CREG:"), "");
    EXPECT_EQ(BeforeFirstOk("abc"), "");
}

} // namespace
