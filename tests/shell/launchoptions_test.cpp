#include "shell/core/launchoptions.h"

#include <gtest/gtest.h>

namespace telvio {
namespace {

TEST(LaunchOptions, Demo)
{
    const struct {
        QStringList args;
        QString model;
    } cases[] = {
        {{"--demo"}, "pike3"},
        {{"--demo", "orca1"}, "orca1"},
        {{"--demo=ORCA1US"}, "orca1us"},
        {{"--demo", "--port", "/dev/ttyUSB0"}, "pike3"},
    };
    for (const auto &c : cases) {
        const LaunchOptions o = LaunchOptions::Parse(c.args);
        EXPECT_TRUE(o.error.isEmpty()) << qPrintable(o.error);
        EXPECT_TRUE(o.demo);
        EXPECT_EQ(o.demoModel, c.model) << qPrintable(c.args.join(' '));
    }
}

TEST(LaunchOptions, PortsInOrder)
{
    const LaunchOptions o = LaunchOptions::Parse({"--port", "/dev/ttyUSB1", "--port=/tmp/link"});
    EXPECT_FALSE(o.demo);
    EXPECT_EQ(o.ports, (QStringList{"/dev/ttyUSB1", "/tmp/link"}));
}

TEST(LaunchOptions, Errors)
{
    for (const QStringList &args : {QStringList{"--demo", "pike9"}, QStringList{"--port"}, QStringList{"stray"},
                                    QStringList{"--colour"}}) {
        EXPECT_FALSE(LaunchOptions::Parse(args).error.isEmpty()) << qPrintable(args.join(' '));
    }
}

TEST(LaunchOptions, HelpAndVersion)
{
    EXPECT_TRUE(LaunchOptions::Parse({"--help"}).help);
    EXPECT_TRUE(LaunchOptions::Parse({"-h"}).help);
    EXPECT_TRUE(LaunchOptions::Parse({"--version"}).version);
    EXPECT_TRUE(LaunchOptions::HelpText("telvio").contains("--demo [MODEL]"));
}

} // namespace
} // namespace telvio
