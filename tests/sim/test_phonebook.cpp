#include "sim/simmodem.h"

#include <gtest/gtest.h>

using namespace telvio::sim;

namespace {

SimConfig plain()
{
    SimConfig config;
    config.echo = false;
    return config;
}

QByteArray answer(const QByteArray &line)
{
    return "\r\n" + line + "\r\n\r\nOK\r\n";
}

const QByteArray ok = "\r\nOK\r\n";

TEST(SimPhonebook, WriteReadAndDeleteAnEntry)
{
    SimModem modem(plain());
    EXPECT_EQ(modem.feed("AT+CPBS=\"SM\"\r"), ok);
    // An empty location lists nothing.
    EXPECT_EQ(modem.feed("AT+CPBR=1\r"), ok);
    EXPECT_EQ(modem.feed("AT+CPBW=1,\"0123456789\",129,\"DTRDIAL\"\r"), ok);
    EXPECT_EQ(modem.feed("AT+CPBR=1\r"), answer("+CPBR: 1,\"0123456789\",129,\"DTRDIAL\""));
    EXPECT_EQ(modem.feed("AT+CPBS?\r"), answer("+CPBS: \"SM\",1,250"));
    EXPECT_EQ(modem.feed("AT+CPBW=1\r"), ok);
    EXPECT_EQ(modem.feed("AT+CPBR=1\r"), ok);
}

TEST(SimPhonebook, InternationalNumbersTakeTheirType)
{
    SimModem modem(plain());
    EXPECT_EQ(modem.feed("AT+CPBW=2,\"+4912345\"\r"), ok);
    EXPECT_EQ(modem.feed("AT+CPBR=1,3\r"), answer("+CPBR: 2,\"+4912345\",145,\"\""));
}

struct RefusedCase {
    const char *name;
    QByteArray command;
    QByteArray answer;
};

void PrintTo(const RefusedCase &c, std::ostream *os)
{
    *os << c.name;
}

class SimPhonebookRefuses : public testing::TestWithParam<RefusedCase> {};

TEST_P(SimPhonebookRefuses, WithTheStandardError)
{
    SimModem modem(plain());
    EXPECT_EQ(modem.feed(GetParam().command + '\r'), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, SimPhonebookRefuses,
    testing::Values(RefusedCase{"index 0", "AT+CPBR=0", "\r\n+CME ERROR: 21\r\n"},
                    RefusedCase{"index past the end", "AT+CPBW=251,\"1\"", "\r\n+CME ERROR: 21\r\n"},
                    RefusedCase{"number too long", "AT+CPBW=1,\"012345678901234567890\"", "\r\n+CME ERROR: 26\r\n"},
                    RefusedCase{"letters in the number", "AT+CPBW=1,\"12a\"", "\r\n+CME ERROR: 27\r\n"},
                    RefusedCase{"text too long", "AT+CPBW=1,\"1\",129,\"ABCDEFGHIJKLMNO\"", "\r\n+CME ERROR: 24\r\n"},
                    RefusedCase{"another phonebook", "AT+CPBS=\"XX\"", "\r\n+CME ERROR: 4\r\n"}));

TEST(SimPhonebook, NeedsTheSim)
{
    SimConfig config = plain();
    config.sim = SimCard::PinRequired;
    SimModem modem(config);
    EXPECT_EQ(modem.feed("AT+CPBR=1\r"), "\r\n+CME ERROR: 11\r\n");
}

} // namespace
