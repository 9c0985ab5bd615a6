// The Pike-3's I/O and secure callback commands: what the modem prints,
// what it takes, what it refuses, and that other models do not have them.
#include "sim/simmodem.h"

#include <gtest/gtest.h>

using namespace telvio::sim;

namespace {

SimConfig quietEcho(Model model = Model::Pike3)
{
    SimConfig config;
    config.model = model;
    config.echo = false;
    return config;
}

QByteArray lines(const QList<QByteArray> &info)
{
    QByteArray out;
    for (const QByteArray &l : info)
        out += "\r\n" + l + "\r\n";
    return out.replace("\r\n\r\n", "\r\n") + "\r\nOK\r\n";
}

const QByteArray ok = "\r\nOK\r\n";
const QByteArray error = "\r\nERROR\r\n";

TEST(IoSet, EntryIsPrintedUnderTheNumberItWasSetWith)
{
    SimModem modem(quietEcho());
    EXPECT_EQ(modem.feed("AT*WIOL=3,2,2 12,1,+4670123,\"Door open, now\",+4670000,1,pw,\r"), ok);
    EXPECT_EQ(modem.feed("AT*WIOL=3?\r"),
              lines({"IO3_Service=SMS", "IO3_Flag=RETRY_3", "IO3_Timeout=12", "IO3_Priority=YES",
                     "IO3_Data1=+4670123", "IO3_Data2=Door open, now", "IO3_Data3=+4670000", "IO3_Data4=1",
                     "IO3_Data5=pw", "IO3_Data6="}));
    // Its neighbours are untouched.
    EXPECT_TRUE(modem.feed("AT*WIOL=4?\r").contains("IO4_Service=NONE\r\n"));
}

struct RefusedCase {
    const char *name;
    QByteArray command;
};

void PrintTo(const RefusedCase &c, std::ostream *os)
{
    *os << c.name;
}

class IoSetRefuses : public testing::TestWithParam<RefusedCase> {};

TEST_P(IoSetRefuses, WithError)
{
    SimModem modem(quietEcho());
    EXPECT_EQ(modem.feed(GetParam().command + '\r'), error);
}

INSTANTIATE_TEST_SUITE_P(
    Sim, IoSetRefuses,
    testing::Values(RefusedCase{"query_of_entry_0", "AT*WIOL=0?"}, RefusedCase{"query_of_entry_11", "AT*WIOL=11?"},
                    RefusedCase{"set_of_entry_0", "AT*WIOL=0,0,0 0,0,,,,,,"},
                    RefusedCase{"comma_instead_of_blank", "AT*WIOL=1,0,0,0,0,,,,,,"},
                    RefusedCase{"data4_too_long", "AT*WIOL=1,2,0 0,0,,,,123,,"},
                    RefusedCase{"timeout_above_255", "AT*WIOL=1,0,0 256,0,,,,,,"},
                    RefusedCase{"output_control_2", "AT*WIOP=5,10,0,0,2"},
                    RefusedCase{"pulse_0", "AT*WIOP=0,10,0,0,0"}, RefusedCase{"enable_2", "AT*WIOE=2"},
                    RefusedCase{"callback_mode_7", "AT*WCB=7"},
                    RefusedCase{"callback_number_too_long", "AT*WCBTAB1=123456789012345678901"},
                    RefusedCase{"callback_entry_4", "AT*WCBTAB4=1"}),
    [](const testing::TestParamInfo<RefusedCase> &info) { return std::string(info.param.name); });

TEST(IoSet, ParametersAndEnableReadBackAsKeyValues)
{
    SimModem modem(quietEcho());
    EXPECT_EQ(modem.feed("AT*WIOP?\r"), lines({"*WIOP: TMIN=5,TMAX=10,TYPE=0,TRIG=0,NORM=0"}));
    EXPECT_EQ(modem.feed("AT*WIOP=7,200,2,4,3\r"), ok);
    EXPECT_EQ(modem.feed("AT*WIOP?\r"), lines({"*WIOP: TMIN=7,TMAX=200,TYPE=2,TRIG=4,NORM=3"}));
    EXPECT_EQ(modem.feed("AT*WIOE=1\r"), ok);
    EXPECT_EQ(modem.feed("AT*WIOE?\r"), lines({"*WIOE=1"}));
}

TEST(CallbackSet, TableAndPasswordsPrintRightAfterTheColon)
{
    SimModem modem(quietEcho());
    EXPECT_EQ(modem.feed("AT*WCB=4\r"), ok);
    EXPECT_EQ(modem.feed("AT*WCB?\r"), lines({"*WCB:4"}));
    EXPECT_EQ(modem.feed("AT*WCBTIME=30\r"), ok);
    EXPECT_EQ(modem.feed("AT*WCBTIME?\r"), lines({"*WCBTIME:30"}));
    EXPECT_EQ(modem.feed("AT*WCBTAB2=+4670123\r"), ok);
    EXPECT_EQ(modem.feed("AT*WCBPWD2=\"my pass\"\r"), ok);
    EXPECT_EQ(modem.feed("AT*WCBTAB?\r"), lines({"*WCBTAB1:", "*WCBTAB2:+4670123", "*WCBTAB3:"}));
    EXPECT_EQ(modem.feed("AT*WCBPWD?\r"), lines({"*WCBPWD1:", "*WCBPWD2:my pass", "*WCBPWD3:"}));
    EXPECT_EQ(modem.feed("AT*WCBTAB2=\r"), ok);
    EXPECT_TRUE(modem.feed("AT*WCBTAB?\r").contains("*WCBTAB2:\r\n"));
}

TEST(IoSet, OnlyThePike3HasThem)
{
    for (Model model : {Model::Orca1, Model::Orca1Us, Model::Pike2}) {
        SimModem modem(quietEcho(model));
        for (const char *c : {"AT*WIOL=1?\r", "AT*WIOP?\r", "AT*WIOE?\r", "AT*WCB?\r", "AT*WCBTAB?\r",
                              "AT*WCBPWD1=x\r", "AT*WCBTIME=1\r"})
            EXPECT_EQ(modem.feed(c), error) << c;
    }
}

} // namespace
