#include "link/core/autoconnect.h"
#include "link/core/identification.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

using namespace telvio;
using namespace telvio::test;

namespace {

struct ImeiCase {
    QByteArray imei;
    Model code;
    const char *name;
};

void PrintTo(const ImeiCase &c, std::ostream *os)
{
    *os << c.name << " " << c.imei.constData();
}

class ModelLookup : public ::testing::TestWithParam<ImeiCase> {};

TEST_P(ModelLookup, FirstMatchingRowWins)
{
    const ModelRow &row = FindModel(GetParam().imei);
    EXPECT_EQ(row.code, GetParam().code) << GetParam().imei.constData();
    EXPECT_STREQ(row.name, GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Imeis, ModelLookup,
    ::testing::Values(ImeiCase{"351079009991234", Model::Pike2, "Pike-2"}, // holds "35107900" too
                      ImeiCase{"351079001234567", Model::Orca1, "Orca-1"},
                      ImeiCase{"351079430123456", Model::Orca1, "Orca-1"},
                      ImeiCase{"010424001234567", Model::Orca1Us, "Orca-1 US"},
                      ImeiCase{"357832001234567", Model::Pike2, "Pike-2"},
                      ImeiCase{"357831001234567", Model::Pike3, "Pike-3"},
                      ImeiCase{"490154203237518", Model::Pike2, "Pike-2 (TEST)"},
                      ImeiCase{"358021081917381", Model::Unknown, "-"},
                      ImeiCase{"", Model::Unknown, "-"}));

TEST(ModelTable, ClosesWithTheUnknownRow)
{
    int rows = 0;
    const ModelRow *table = ModelTable(&rows);
    ASSERT_EQ(rows, 16);
    EXPECT_EQ(table[rows - 1].prefix, nullptr);
    EXPECT_EQ(table[rows - 1].code, Model::Unknown);
    for (int i = 6; i < 15; ++i)
        EXPECT_EQ(strlen(table[i].prefix), 15u) << i;
}

struct CgsnCase {
    const char *name;
    QByteArray answer;
    QByteArray imei;
};

void PrintTo(const CgsnCase &c, std::ostream *os)
{
    *os << c.name;
}

class ImeiCut : public ::testing::TestWithParam<CgsnCase> {};

TEST_P(ImeiCut, FindsTheSameImeiInEveryShape)
{
    EXPECT_EQ(ImeiFromAnswer(GetParam().answer), GetParam().imei) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, ImeiCut,
    ::testing::Values(CgsnCase{"verbose", "\r\n357831001234567\r\n\r\nOK\r\n", "357831001234567"},
                      CgsnCase{"verbose with echo", "AT+CGSN\r\r\n357831001234567\r\n\r\nOK\r\n", "357831001234567"},
                      CgsnCase{"numeric", "357831001234567\r\n0\r", "357831001234567"},
                      CgsnCase{"numeric with echo", "AT+CGSN\r357831001234567\r\n0\r", "357831001234567"},
                      CgsnCase{"keyword and quotes", "\r\n+CGSN: \"357831001234567\"\r\n\r\nOK\r\n", "357831001234567"},
                      CgsnCase{"longer serial is cut", "\r\n3578310012345678\r\n\r\nOK\r\n", "357831001234567"},
                      CgsnCase{"short serial stops at its line end", "\r\n12345\r\n\r\nOK\r\n", "12345"}));

TEST(ImeiCut, RealDeviceAnswers)
{
    for (const RealAnswer &a : LoadRealAnswers()) {
        if (!a.command.contains("GSN") || !a.answer.contains("OK"))
            continue;
        const QByteArray imei = ImeiFromAnswer(a.answer);
        EXPECT_FALSE(imei.isEmpty()) << a.source.toStdString();
        EXPECT_FALSE(imei.contains('\r') || imei.contains('\n')) << a.source.toStdString();
    }
}

struct Ati9Case {
    const char *name;
    QByteArray answer;
    bool maker;
};

void PrintTo(const Ati9Case &c, std::ostream *os)
{
    *os << c.name;
}

class FirmwareLine : public ::testing::TestWithParam<Ati9Case> {};

TEST_P(FirmwareLine, SameVerdictInEveryResultCodeMode)
{
    EXPECT_EQ(FirmwareIdLine(GetParam().answer).contains("6200"), GetParam().maker) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Modes, FirmwareLine,
    ::testing::Values(
        Ati9Case{"verbose", "\r\n\"DWL\",\"V08b13\",\"\",\"Kestrava\",56996,\"6200 MCU\"\r\n\"FW\",\"R7.46\"\r\n\r\nOK\r\n", true},
        Ati9Case{"verbose with echo", "ATI9\r\r\n\"DWL\",\"6200\"\r\n\"FW\",\"R7.46\"\r\n\r\nOK\r\n", true},
        Ati9Case{"numeric", "\"DWL\",\"6200\"\r\n\"FW\",\"R7.46\"\r\n0\r", true},
        Ati9Case{"numeric with echo", "ATI9\r\"DWL\",\"6200\"\r\n\"FW\",\"R7.46\"\r\n0\r", true},
        // The id counts only on the first information line.
        Ati9Case{"id further down", "\r\n\"FW\",\"R7.46\"\r\n\"DWL\",\"6200\"\r\n\r\nOK\r\n", false},
        Ati9Case{"plain firmware", "\r\nKestrava GSM modem\r\n\r\nOK\r\n", false}));

TEST(WopenVersion, ReadsTheNumberAfterV)
{
    EXPECT_GE(WopenVersion("\r\n+WOPEN: 2,\"AT v3.10\",\"AT v2.00\"\r\n\r\nOK\r\n"), 3.1);
    EXPECT_LT(WopenVersion("\r\n+WOPEN: 2,\"AT v3.0\",\"AT v2.00\"\r\n\r\nOK\r\n"), 3.1);
    EXPECT_DOUBLE_EQ(WopenVersion("+WOPEN: 2,\"AT v3.12b\"\r\n0\r"), 3.12);
    EXPECT_EQ(WopenVersion("\r\n+WOPEN: 2\r\n\r\nOK\r\n"), 0);
    EXPECT_EQ(WopenVersion(" v\""), 0);
}

TEST(SimStatus, FromCpinAnswers)
{
    EXPECT_EQ(SimStatusFromAnswer("\r\n+CPIN: READY\r\n\r\nOK\r\n"), 1);
    EXPECT_EQ(SimStatusFromAnswer("+CPIN: SIM PIN\r\n0\r"), 2);
    EXPECT_EQ(SimStatusFromAnswer("\r\n+CPIN: SIM PUK\r\n\r\nOK\r\n"), 3);
    EXPECT_EQ(SimStatusFromAnswer("\r\n+CME ERROR: 10\r\n"), 0);
    for (const RealAnswer &a : LoadRealAnswers()) {
        if (a.command == "AT+CPIN?" && a.answer.contains("READY"))
            EXPECT_EQ(SimStatusFromAnswer(a.answer), 1) << a.source.toStdString();
    }
}

TEST(IcfParity, ParityCodeAfterTheComma)
{
    EXPECT_EQ(ParityFromIcf("\r\n+ICF: 3,4\r\n\r\nOK\r\n"), QChar('N'));
    EXPECT_EQ(ParityFromIcf("\r\n+ICF: 5,1\r\n\r\nOK\r\n"), QChar('E'));
    EXPECT_EQ(ParityFromIcf("\r\n+ICF:5,1\r\n\r\nOK\r\n"), QChar('E')); // no blank after the colon
    EXPECT_EQ(ParityFromIcf("+ICF: 2,0\r\n0\r"), QChar('O'));
    EXPECT_EQ(ParityFromIcf("+ICF: 2,2\r\n"), QChar('M'));
    EXPECT_EQ(ParityFromIcf("+ICF: 2,3\r\n"), QChar('S'));
    // A format without a parity bit is no parity, whatever code follows.
    EXPECT_EQ(ParityFromIcf("\r\n+ICF: 3,3\r\nOK\r\n"), QChar('N'));
    EXPECT_EQ(ParityFromIcf("\r\n+ICF: 4,1\r\nOK\r\n"), QChar('N'));
    EXPECT_EQ(ParityFromIcf("\r\nERROR\r\n"), QChar('N'));
    EXPECT_EQ(ParityFromIcf("+ICF: 3"), QChar('N'));
}

TEST(AutoconnectOrder, EightyAttemptsInTheDocumentedOrder)
{
    const QList<SearchAttempt> order = AutoconnectOrder();
    ASSERT_EQ(order.size(), 80);
    EXPECT_EQ(order.first().baud, QString("115200"));
    EXPECT_EQ(order.at(9).baud, QString("300"));
    // Attempt 45 (index 44): 9600 baud, 7 data bits, even parity, 1 stop bit.
    const SearchAttempt &a45 = order.at(44);
    EXPECT_EQ(a45.baud, QString("9600"));
    EXPECT_EQ(a45.dataBits, QString("7"));
    EXPECT_EQ(a45.parity, QChar('E'));
    EXPECT_EQ(a45.stopBits, QString("1"));
    QStringList first;
    for (int i = 10; i < 17; ++i)
        first << order.at(i).dataBits + order.at(i).parity + order.at(i).stopBits;
    EXPECT_EQ(first, (QStringList{"8N2", "8O1", "8E1", "7N1", "7N2", "7O1", "7E1"}));
    for (const SearchAttempt &a : order)
        EXPECT_FALSE(a.stopBits == "2" && a.parity != 'N');
}

TEST(AutoconnectOrder, ProgressTextNamesThePort)
{
    const SearchAttempt a{"19200", QChar('N'), "8", "2"};
    EXPECT_EQ(SearchProgressText("1", a), QString("Searching Com1 @ 19200 bps (8,N,2)"));
    EXPECT_EQ(SearchProgressText("ttyUSB0", a), QString("Searching ttyUSB0 @ 19200 bps (8,N,2)"));
}

} // namespace
