#include "link/core/portholders.h"
#include "support/pty.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace telvio;

namespace {

bool Holds(const QList<PortHolder> &holders, qint64 pid)
{
    for (const PortHolder &h : holders) {
        if (h.pid == pid)
            return true;
    }
    return false;
}

TEST(PortHolders, FindsTheProcessThatHoldsAPty)
{
    // The test holds the slave side itself.
    test::Pty pty;
    ASSERT_TRUE(pty.Ok());
    const QList<PortHolder> holders = ProcessesHolding(pty.SlavePath());
    ASSERT_TRUE(Holds(holders, getpid()));
    for (const PortHolder &h : holders) {
        if (h.pid == getpid())
            EXPECT_FALSE(h.name.isEmpty());
    }

    // Through a symbolic link, as the simulator's --link gives it.
    QTemporaryDir dir;
    const QString link = dir.filePath("modem");
    ASSERT_TRUE(QFile::link(pty.SlavePath(), link));
    EXPECT_TRUE(Holds(ProcessesHolding(link), getpid()));

    // Once closed, nobody.
    const QString path = pty.SlavePath();
    pty.HangUp();
    EXPECT_FALSE(Holds(ProcessesHolding(path), getpid()));
}

TEST(PortHolders, NobodyHoldsWhatDoesNotExist)
{
    EXPECT_TRUE(ProcessesHolding("/dev/telvio-none").isEmpty());
    EXPECT_TRUE(ProcessesHolding("/dev/null", "/nonexistent-proc").isEmpty());
}

TEST(PortHolders, DescribedByNameAndProcess)
{
    EXPECT_EQ(DescribeHolders({{4711, "picocom"}}), "picocom (process 4711)");
    EXPECT_EQ(DescribeHolders({{1, "a"}, {2, ""}}), "a (process 1), process 2");
    EXPECT_EQ(DescribeHolders({}), "");
}

} // namespace
