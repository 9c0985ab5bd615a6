#include "link/core/trace.h"
#include "sim/commandline.h"

#include <gtest/gtest.h>

using namespace telvio::sim;

namespace {

// Control characters shown, so a case prints on one line.
std::string Visible(const QByteArray &bytes)
{
    return telvio::EscapeControl(bytes).toStdString();
}

struct LineCase {
    const char *name;
    QByteArray body;
    QList<QByteArray> commands; // ParsedCommand::text() of each
    bool syntaxError;
};

void PrintTo(const LineCase &c, std::ostream *os)
{
    *os << c.name;
}

class SimCommandLineParse : public testing::TestWithParam<LineCase> {};

TEST_P(SimCommandLineParse, SplitsCommandsAsAModemDoes)
{
    const LineCase &c = GetParam();
    const CommandLine line = parseCommandLine(c.body);
    QList<QByteArray> texts;
    for (const ParsedCommand &command : line.commands)
        texts.append(command.text());
    EXPECT_EQ(texts, c.commands);
    EXPECT_EQ(line.syntaxError, c.syntaxError);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SimCommandLineParse,
    testing::Values(
        LineCase{"empty", "", {}, false},
        LineCase{"only_blanks", "   ", {}, false},
        LineCase{"serial_page_write", "V1 &C1 &D2 &S1 E1 +IPR=115200",
                 {"V1", "&C1", "&D2", "&S1", "E1", "+IPR=115200"}, false},
        LineCase{"basic_commands_run_together", "E0V1Q0", {"E0", "V1", "Q0"}, false},
        LineCase{"number_optional", "&FE0Z", {"&F", "E0", "Z"}, false},
        LineCase{"lower_case", "s0=2s7?i3", {"S0=2", "S7?", "I3"}, false},
        LineCase{"s_parameter_blanks", "S0 = 5", {"S0=5"}, false},
        LineCase{"s_parameter_without_value", "S0=", {"S0="}, false},
        LineCase{"semicolon_between_extended", "+CMEE=1;+CGSN", {"+CMEE=1", "+CGSN"}, false},
        LineCase{"blank_ends_extended", "+CMEE=1 +CGSN E0", {"+CMEE=1", "+CGSN", "E0"}, false},
        LineCase{"read_then_basic", "+CPIN? I9", {"+CPIN?", "I9"}, false},
        LineCase{"quoted_text_kept", "+CPIN=\"ab;c d\"", {"+CPIN=\"ab;c d\""}, false},
        LineCase{"blanks_inside_arguments", "+CBST=0, 0, 1", {"+CBST=0,0,1"}, false},
        LineCase{"test_form", "+CMEE=?", {"+CMEE=?"}, false},
        LineCase{"blank_before_question_mark", "+CPIN ?", {"+CPIN?"}, false},
        LineCase{"percent_and_backslash_basic", "%C0\\N3", {"%C0", "\\N3"}, false},
        LineCase{"hash_prefix", "#VVERSION", {"#VVERSION"}, false},
        LineCase{"star_prefix", "*WSTATLED?", {"*WSTATLED?"}, false},
        LineCase{"dial_takes_rest", "DT123;", {"DT123;"}, false},
        LineCase{"lone_prefix", "+", {}, true},
        LineCase{"error_after_valid", "E1 $", {"E1"}, true},
        LineCase{"junk_after_read_form", "+CMEE?1", {}, true},
        LineCase{"unterminated_string", "+CPIN=\"0000", {}, true},
        LineCase{"ampersand_without_letter", "&1", {}, true}),
    [](const testing::TestParamInfo<LineCase> &info) { return std::string(info.param.name); });

TEST(SimCommandLine, NamesAreUpperCaseButStringArgumentsKeepTheirCase)
{
    const CommandLine line = parseCommandLine("+cpin=\"aBc\"");
    ASSERT_EQ(line.commands.size(), 1);
    EXPECT_EQ(line.commands.at(0).name, "+CPIN");
    EXPECT_EQ(line.commands.at(0).form, CommandForm::Set);
    EXPECT_EQ(line.commands.at(0).argument, "\"aBc\"");
}

TEST(SimCommandLine, SyntaxOfEachKind)
{
    const CommandLine line = parseCommandLine("I9S3=13+CGSN");
    ASSERT_EQ(line.commands.size(), 3);
    EXPECT_EQ(line.commands.at(0).syntax, CommandSyntax::Basic);
    EXPECT_EQ(line.commands.at(0).argument, "9");
    EXPECT_EQ(line.commands.at(1).syntax, CommandSyntax::SParameter);
    EXPECT_EQ(line.commands.at(1).name, "S3");
    EXPECT_EQ(line.commands.at(2).syntax, CommandSyntax::Extended);
    EXPECT_EQ(line.commands.at(2).form, CommandForm::Action);
}

struct SplitCase {
    QByteArray argument;
    QList<QByteArray> fields;
};

void PrintTo(const SplitCase &c, std::ostream *os)
{
    *os << Visible(c.argument);
}

class SimCommandLineSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(SimCommandLineSplit, FieldsOutsideQuotes)
{
    EXPECT_EQ(splitArguments(GetParam().argument), GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(Arguments, SimCommandLineSplit,
                         testing::Values(SplitCase{"", {}}, SplitCase{"3,4", {"3", "4"}},
                                         SplitCase{"1,\"a,b\",3", {"1", "a,b", "3"}},
                                         SplitCase{"\" 12 \" , x", {" 12 ", "x"}},
                                         SplitCase{"1,,3", {"1", "", "3"}},
                                         SplitCase{"\"12345678\",\"1111\"", {"12345678", "1111"}}));

} // namespace
