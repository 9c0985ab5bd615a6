// Staging a modem from outside: settings, variables and the SIM set by name
// before the modem serves (SimConfig::assignments, --set, --state) or while it
// runs (SimThread::set), and the hooks that run only when a command sets a value.

#include "rawclient.h"

#include "sim/simmodem.h"
#include "sim/simthread.h"
#include "sim/staging.h"

#include <gtest/gtest.h>

using namespace telvio::sim;

namespace {

QByteArray answer(const QByteArray &line)
{
    return "\r\n" + line + "\r\n\r\nOK\r\n";
}

SimConfig staged(const QList<SimAssignment> &assignments, Model model = Model::Pike3)
{
    SimConfig config;
    config.model = model;
    config.echo = false;
    config.assignments = assignments;
    return config;
}

struct StagedCase {
    const char *name;
    QList<SimAssignment> assignments;
    QByteArray command;
    QByteArray expected;
};

void PrintTo(const StagedCase &c, std::ostream *os)
{
    *os << c.name;
}

class SimStaged : public testing::TestWithParam<StagedCase> {};

TEST_P(SimStaged, ModemAnswersFromTheStagedState)
{
    SimModem modem(staged(GetParam().assignments));
    ASSERT_TRUE(modem.setupError().isEmpty()) << qPrintable(modem.setupError());
    EXPECT_EQ(modem.feed(GetParam().command + '\r'), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, SimStaged,
    testing::Values(
        StagedCase{"s_parameter", {{"S0", "3"}}, "ATS0?", answer("003")},
        StagedCase{"setting_in_any_case", {{"+cmee", "2"}}, "AT+CMEE?", answer("+CMEE: 2")},
        StagedCase{"basic_setting", {{"Q", "1"}}, "AT", ""},
        StagedCase{"two_fields", {{"+ICF", "2,1"}}, "AT+ICF?", answer("+ICF: 2,1")},
        StagedCase{"port_rate", {{"+IPR", "115200"}}, "AT+IPR?", answer("+IPR: 115200")},
        StagedCase{"later_wins", {{"S0", "1"}, {"S0", "2"}}, "ATS0?", answer("002")},
        StagedCase{"weak_signal", {{"CSQ_RSSI", "7"}}, "AT+CSQ", answer("+CSQ: 7,99")},
        StagedCase{"bit_error_rate", {{"CSQ_BER", "3"}}, "AT+CSQ", answer("+CSQ: 20,3")},
        StagedCase{"sim_wants_pin", {{"SIM", "pin"}}, "AT+CPIN?", answer("+CPIN: SIM PIN")},
        StagedCase{"sim_absent", {{"sim", "absent"}}, "AT+CPIN?", "\r\n+CME ERROR: 10\r\n"},
        StagedCase{"pin_code", {{"SIM", "pin"}, {"PIN", "4321"}}, "AT+CPIN=4321", "\r\nOK\r\n"},
        StagedCase{"puk_code", {{"SIM", "puk"}, {"PUK", "87654321"}}, "AT+CPIN=87654321,1111", "\r\nOK\r\n"},
        StagedCase{"phonebook_entry", {{"CPBR_2", "\"0123\",129,\"HOME\""}}, "AT+CPBR=2",
                   answer("+CPBR: 2,\"0123\",129,\"HOME\"")},
        StagedCase{"reset_timer", {{"WRST_MODE", "1"}, {"WRST_DELAY", "002:30"}}, "AT+WRST?",
                   answer("+WRST: 1,\"002:30\",\"002:30\"")},
        StagedCase{"attached", {{"+CGATT", "1"}}, "AT+CGATT?", answer("+CGATT: 1")}),
    [](const testing::TestParamInfo<StagedCase> &info) { return std::string(info.param.name); });

TEST(SimStaging, SettingIsTheStoredProfileToo)
{
    SimModem modem(staged({{"S0", "3"}}));
    EXPECT_EQ(modem.feed("ATS0=9\r"), "\r\nOK\r\n");
    EXPECT_EQ(modem.feed("ATZ\r"), "\r\nOK\r\n");
    EXPECT_EQ(modem.feed("ATS0?\r"), answer("003"));
    EXPECT_EQ(modem.feed("AT&F\r"), "\r\nOK\r\n");
    modem.feed("ATE0\r");
    EXPECT_EQ(modem.feed("ATS0?\r"), answer("000"));
}

TEST(SimStaging, StagedValuesRunNoCommandHook)
{
    // +CFUN=1 as a command restarts the modem; staged, it is just the level.
    SimModem modem(staged({{"+CFUN", "1"}, {"RESTART_MS", "600000"}, {"SIM", "absent"}, {"+CGATT", "1"}}));
    EXPECT_FALSE(modem.restarting());
    EXPECT_EQ(modem.feed("AT+CGATT?\r"), answer("+CGATT: 1"));
}

struct RefusedCase {
    const char *name;
    SimAssignment assignment;
    Model model;
    QList<QString> said; // parts of the message
};

void PrintTo(const RefusedCase &c, std::ostream *os)
{
    *os << c.name;
}

class SimStagingRefused : public testing::TestWithParam<RefusedCase> {};

TEST_P(SimStagingRefused, NamesTheSettingAndWhatItTakes)
{
    const RefusedCase &c = GetParam();
    SimModem modem(staged({}, c.model));
    const QByteArray before = modem.feed("AT&V\r");
    QString error;
    EXPECT_FALSE(modem.assign(c.assignment, &error));
    for (const QString &part : c.said)
        EXPECT_TRUE(error.contains(part)) << qPrintable(error) << " lacks " << qPrintable(part);
    EXPECT_EQ(modem.feed("AT&V\r"), before);
    EXPECT_EQ(modem.feed("AT+CPIN?\r"), answer("+CPIN: READY"));

    SimModem fromConfig(staged({{"S0", "4"}, c.assignment, {"S0", "5"}}, c.model));
    EXPECT_EQ(fromConfig.setupError(), error);
    EXPECT_EQ(fromConfig.feed("ATS0?\r"), answer("005")); // the others applied
}

INSTANTIATE_TEST_SUITE_P(
    Bad, SimStagingRefused,
    testing::Values(
        RefusedCase{"out_of_range", {"+CMEE", "5"}, Model::Pike3, {"+CMEE", "(0-2)", "\"5\""}},
        RefusedCase{"basic_setting", {"E", "2"}, Model::Pike3, {"E takes (0-1)"}},
        RefusedCase{"value_list", {"%C", "1"}, Model::Pike3, {"%C takes (0,2)"}},
        RefusedCase{"not_a_number", {"S0", "many"}, Model::Pike3, {"S0 takes (0-255)"}},
        RefusedCase{"empty_value", {"S0", ""}, Model::Pike3, {"S0"}},
        RefusedCase{"field_combination", {"+ICF", "2,4"}, Model::Pike3, {"+ICF", "(1-6),(0-4)"}},
        RefusedCase{"unknown_rate", {"+IPR", "1234"}, Model::Pike3, {"+IPR", "115200"}},
        RefusedCase{"unknown_extended", {"+FOO", "1"}, Model::Pike3, {"+FOO", "not a setting"}},
        RefusedCase{"unknown_s_parameter", {"S99", "1"}, Model::Pike3, {"S99", "not a setting"}},
        RefusedCase{"unknown_ampersand", {"&Q", "1"}, Model::Pike3, {"&Q"}},
        RefusedCase{"not_on_this_model", {"*WSTATLED", "1"}, Model::Orca1, {"*WSTATLED", "Orca-1"}},
        RefusedCase{"sim_state", {"SIM", "maybe"}, Model::Pike3, {"SIM", "absent", "maybe"}},
        RefusedCase{"short_pin", {"PIN", "12"}, Model::Pike3, {"PIN", "4 to 8 digits"}},
        RefusedCase{"puk_with_letters", {"PUK", "1234abcd"}, Model::Pike3, {"PUK"}}),
    [](const testing::TestParamInfo<RefusedCase> &info) { return std::string(info.param.name); });

TEST(SimStaging, VariablesAreFreeForm)
{
    SimModem modem(staged({}));
    EXPECT_TRUE(modem.assign({"my_note", "any text, = or \"quotes\""}));
    EXPECT_EQ(modem.state().variable("my_note"), "any text, = or \"quotes\"");
    EXPECT_TRUE(modem.assign({"SMS_1_TEXT", ""}));
}

TEST(SimStaging, AssignmentText)
{
    EXPECT_EQ(parseAssignment("S0=3", nullptr), (SimAssignment{"S0", "3"}));
    EXPECT_EQ(parseAssignment("CPBR_1=\"1\",129,\"A=B\"", nullptr), (SimAssignment{"CPBR_1", "\"1\",129,\"A=B\""}));
    EXPECT_EQ(parseAssignment("NOTE=", nullptr), (SimAssignment{"NOTE", ""}));
    QString error;
    EXPECT_FALSE(parseAssignment("S0", &error));
    EXPECT_TRUE(error.contains("NAME=VALUE"));
    EXPECT_FALSE(parseAssignment("=3", &error));
    EXPECT_TRUE(error.contains("=3"));
}

struct JsonCase {
    const char *name;
    QByteArray json;
    bool valid;
    QList<SimAssignment> assignments; // sorted by name, as a JSON object is read
};

void PrintTo(const JsonCase &c, std::ostream *os)
{
    *os << c.name;
}

class SimStateJson : public testing::TestWithParam<JsonCase> {};

TEST_P(SimStateJson, OneObjectOfNamesAndValues)
{
    QList<SimAssignment> assignments;
    QString error;
    ASSERT_EQ(parseStateJson(GetParam().json, &assignments, &error), GetParam().valid) << qPrintable(error);
    if (GetParam().valid)
        EXPECT_EQ(assignments, GetParam().assignments);
    else
        EXPECT_FALSE(error.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, SimStateJson,
    testing::Values(
        JsonCase{"strings_and_numbers", R"({"S0": 3, "CSQ_RSSI": "7", "+CBST": "71,0,3"})", true,
                 {{"+CBST", "71,0,3"}, {"CSQ_RSSI", "7"}, {"S0", "3"}}},
        JsonCase{"fraction_kept", R"({"LEVEL": 1.5, "BIG": 115200.0, "LOW": -2})", true,
                 {{"BIG", "115200"}, {"LEVEL", "1.5"}, {"LOW", "-2"}}},
        JsonCase{"empty_object", "{}", true, {}},
        JsonCase{"not_json", "{S0: 3}", false, {}},
        JsonCase{"array", R"([{"S0": 3}])", false, {}},
        JsonCase{"boolean_value", R"({"E": true})", false, {}},
        JsonCase{"null_value", R"({"E": null})", false, {}},
        JsonCase{"nested_object", R"({"E": {"value": 1}})", false, {}},
        JsonCase{"empty_name", R"({"": 1})", false, {}},
        JsonCase{"nothing", "", false, {}}),
    [](const testing::TestParamInfo<JsonCase> &info) { return std::string(info.param.name); });

TEST(SimStateJson, MessageNamesTheEntry)
{
    QList<SimAssignment> assignments;
    QString error;
    EXPECT_FALSE(parseStateJson(R"({"S0": 1, "WRST_MODE": [1]})", &assignments, &error));
    EXPECT_TRUE(error.contains("WRST_MODE")) << qPrintable(error);
}

// The hook of a setting: run by its set command after the value is in place,
// its result is the command's, and a refusal puts the old value back.
TEST(SimSettingHook, RunsOnSetAndCanRefuse)
{
    SimModem modem(staged({}));
    SettingDef def;
    def.name = "+XLEVEL";
    def.factory = "1";
    def.fields = {SettingField::range(0, 9), SettingField::range(0, 9, 0)};
    QList<QList<int>> seen;
    def.onSet = [&seen](ModemState &state, const QList<int> &fields) {
        seen.append(fields);
        if (fields.at(0) == 9)
            return CommandResult::cmeFailure(cme::operationNotAllowed);
        state.setVariable("XLEVEL_SEEN", state.value("+XLEVEL"));
        return CommandResult::ok();
    };
    modem.state().addSetting(def);

    EXPECT_EQ(modem.feed("AT+XLEVEL=4\r"), "\r\nOK\r\n");
    EXPECT_EQ(modem.state().variable("XLEVEL_SEEN"), "4,0");
    EXPECT_EQ(modem.feed("AT+XLEVEL=9,2\r"), "\r\n+CME ERROR: 3\r\n");
    EXPECT_EQ(modem.feed("AT+XLEVEL?\r"), answer("+XLEVEL: 4,0"));
    EXPECT_EQ(modem.feed("AT+XLEVEL=12\r"), "\r\nERROR\r\n"); // out of range: no hook
    EXPECT_EQ(seen, (QList<QList<int>>{{4, 0}, {9, 2}}));
    ASSERT_TRUE(modem.assign({"+XLEVEL", "9"}));
    EXPECT_EQ(seen.size(), 2);
}

TEST(SimSettingHook, FunctionalityLevelRestartsOrSwitchesTheRadioOff)
{
    SimModem modem(staged({{"+CGATT", "1"}}));
    EXPECT_EQ(modem.feed("AT+CFUN?\r"), answer("+CFUN: 1"));
    EXPECT_EQ(modem.feed("AT+CFUN=?\r"), answer("+CFUN: (0-1)"));
    EXPECT_EQ(modem.feed("AT+CFUN=0\r"), "\r\nOK\r\n");
    EXPECT_EQ(modem.feed("AT+CFUN?\r"), answer("+CFUN: 0"));
    EXPECT_EQ(modem.feed("AT+CGATT?\r"), answer("+CGATT: 0"));
    EXPECT_EQ(modem.feed("AT+CFUN=2\r"), "\r\nERROR\r\n");
    EXPECT_EQ(modem.feed("AT+CFUN=1\r"), "\r\nOK\r\n");
    EXPECT_EQ(modem.feed("AT+CFUN?\r"), answer("+CFUN: 1"));
}

TEST(SimSettingHook, RestartComesBackAtFullFunctionality)
{
    SimModem modem(staged({}));
    EXPECT_EQ(modem.feed("AT+CFUN=0\r"), "\r\nOK\r\n");
    EXPECT_EQ(modem.feed("AT+WOPEN=1\r"), "\r\nOK\r\n"); // restarts too
    EXPECT_EQ(modem.feed("AT+CFUN?\r"), answer("+CFUN: 1"));
}

// Staging over a real pseudo-terminal, before and while the modem serves.
class SimThreadStaging : public testing::Test {
protected:
    SimThread sim;
    RawClient client;
};

TEST_F(SimThreadStaging, ConfigAssignmentsAndSetWhileRunning)
{
    QString error;
    const QByteArray path = sim.start(staged({{"CSQ_RSSI", "7"}, {"SIM", "pin"}}), &error).toLocal8Bit();
    ASSERT_FALSE(path.isEmpty()) << qPrintable(error);
    ASSERT_TRUE(client.open(path, 9600));
    EXPECT_EQ(client.exchange("AT+CSQ"), answer("+CSQ: 7,99"));
    EXPECT_EQ(client.exchange("AT+CPIN?"), answer("+CPIN: SIM PIN"));

    EXPECT_TRUE(sim.set("CSQ_RSSI", "31"));
    EXPECT_TRUE(sim.set("SIM", "ready"));
    EXPECT_EQ(client.exchange("AT+CSQ"), answer("+CSQ: 31,99"));
    EXPECT_EQ(client.exchange("AT+CPIN?"), answer("+CPIN: READY"));
    EXPECT_FALSE(sim.set("+CMEE", "7", &error));
    EXPECT_TRUE(error.contains("(0-2)")) << qPrintable(error);
}

TEST_F(SimThreadStaging, RefusedAssignmentKeepsItFromStarting)
{
    QString error;
    EXPECT_TRUE(sim.start(staged({{"+NOPE", "1"}}), &error).isEmpty());
    EXPECT_TRUE(error.contains("+NOPE")) << qPrintable(error);
    EXPECT_FALSE(sim.isRunning());
    EXPECT_FALSE(sim.set("S0", "1", &error));
}

} // namespace
