#include "link/core/cmeerrors.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using namespace telvio;

namespace {

TEST(ErrorMeanings, CodesOfBothStandards)
{
    EXPECT_EQ(CmeErrorMeaning(10), "SIM not inserted");
    EXPECT_EQ(CmeErrorMeaning(16), "incorrect password");
    EXPECT_EQ(CmeErrorMeaning(100), "unknown");
    EXPECT_EQ(CmsErrorMeaning(310), "SIM not inserted");
    EXPECT_EQ(CmsErrorMeaning(500), "unknown error");
    // Left undefined or to the maker.
    EXPECT_EQ(CmeErrorMeaning(9), "");
    EXPECT_EQ(CmeErrorMeaning(-1), "");
    EXPECT_EQ(CmsErrorMeaning(0), "");
}

struct RefusalCase {
    const char *name;
    QByteArray answer;
    QString says;
};

void PrintTo(const RefusalCase &c, std::ostream *os)
{
    *os << c.name;
}

class Refusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(Refusal, IsDescribedFromTheAnswer)
{
    EXPECT_EQ(DescribeRefusal(GetParam().answer), GetParam().says);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, Refusal,
    ::testing::Values(
        RefusalCase{"cme with meaning", "AT+CPIN?\r\r\n+CME ERROR: 10\r\n", "+CME ERROR: 10 (SIM not inserted)"},
        RefusalCase{"cme without echo", "\r\n+CME ERROR: 11\r\n", "+CME ERROR: 11 (SIM PIN required)"},
        RefusalCase{"cms with meaning", "\r\n+CMS ERROR: 321\r\n", "+CMS ERROR: 321 (invalid memory index)"},
        RefusalCase{"cme in words", "\r\n+CME ERROR: SIM not inserted\r\n", "+CME ERROR: SIM not inserted"},
        RefusalCase{"cme code undefined", "\r\n+CME ERROR: 517\r\n", "+CME ERROR: 517"},
        RefusalCase{"cme code huge", "\r\n+CME ERROR: 99999999999\r\n", "+CME ERROR: 99999999999"},
        RefusalCase{"plain error", "ATS0?\r\r\nERROR\r\n", "ERROR"},
        RefusalCase{"error after an unsolicited line", "\r\nRING\r\n\r\nERROR\r\n", "ERROR"},
        RefusalCase{"ok is none", "\r\n000\r\n\r\nOK\r\n", ""},
        RefusalCase{"error inside a dump line is none", "\r\nERRORS: 3\r\nNO ERROR\r\n\r\nOK\r\n", ""},
        RefusalCase{"cut short is none", "\r\n+CME ERR", ""},
        RefusalCase{"nothing", "", ""}),
    [](const ::testing::TestParamInfo<RefusalCase> &info) {
        std::string s = info.param.name;
        for (char &c : s)
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return s;
    });

} // namespace
