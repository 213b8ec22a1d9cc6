#include "platform/InstanceLock.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using platform::InstanceLock;

TEST(InstanceLock, TellsALiveHolderFromALockThatCannotBeMade)
{
    QTemporaryDir dir;
    InstanceLock first(dir.filePath("l.lock"));
    InstanceLock second(dir.filePath("l.lock"));
    InstanceLock nowhere(QStringLiteral("/dev/null/l.lock"));
    QString error;
    EXPECT_EQ(first.acquire(), InstanceLock::Result::Acquired);
    EXPECT_EQ(second.acquire(&error), InstanceLock::Result::HeldByAnother);
    EXPECT_EQ(nowhere.acquire(&error), InstanceLock::Result::Failed);
    EXPECT_FALSE(error.isEmpty());
}
