// Choosing a list item from a --from or --set value, without a modem.
#include "cli/pagecommands.h"

#include <QJsonValue>

#include <gtest/gtest.h>

namespace telvio::cli {
namespace {

struct ChooseCase {
    const char *name;
    QJsonValue value;
    int chosen; // -1: refused
};

void PrintTo(const ChooseCase &c, std::ostream *os)
{
    *os << c.name;
}

class ChooseInListTest : public testing::TestWithParam<ChooseCase> {};

TEST_P(ChooseInListTest, SelectsOrRefusesWithTheItems)
{
    const ChooseCase &c = GetParam();
    ListState list;
    list.items = {QStringLiteral("0 - no compression"), QStringLiteral("2 - V42bis compression")};
    QString error;
    const bool ok = ChooseInList(list, c.value, &error);
    if (c.chosen < 0) {
        EXPECT_FALSE(ok);
        EXPECT_EQ(list.current, -1);
        EXPECT_TRUE(error.contains(QLatin1String("2 - V42bis compression"))) << error.toStdString();
    } else {
        EXPECT_TRUE(ok) << error.toStdString();
        EXPECT_EQ(list.current, c.chosen);
    }
}

// Positions far beyond int once converted to one with undefined behaviour
// (found by the fuzzer, tests/fuzz/regressions/clifrom); the sanitizer run
// catches a relapse.
INSTANTIATE_TEST_SUITE_P(
    Values, ChooseInListTest,
    testing::Values(ChooseCase{"Position", QJsonValue(1), 1}, ChooseCase{"ItemText", QJsonValue("0 - No Compression"), 0},
                    ChooseCase{"ItemValue", QJsonValue("2"), 1}, ChooseCase{"PositionAsText", QJsonValue("1"), 1},
                    ChooseCase{"FractionalPosition", QJsonValue(0.5), -1},
                    ChooseCase{"PositionPastEnd", QJsonValue(2), -1}, ChooseCase{"NegativePosition", QJsonValue(-1), -1},
                    ChooseCase{"HugePosition", QJsonValue(1e300), -1},
                    ChooseCase{"HugeNegativePosition", QJsonValue(-1e300), -1},
                    ChooseCase{"UnknownText", QJsonValue("v42"), -1}, ChooseCase{"Null", QJsonValue(), -1},
                    ChooseCase{"Flag", QJsonValue(true), -1}),
    [](const testing::TestParamInfo<ChooseCase> &info) { return std::string(info.param.name); });

} // namespace
} // namespace telvio::cli
