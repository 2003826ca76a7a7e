// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/OperatingSystem.h"
#include "../SystemTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <thread>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

// A pipe through its life: empty with its writer there, holding bytes, drained,
// then left by its writer. A read would wait only while it is empty and its
// writer may still write.
TEST(OperatingSystem, AReadWouldWaitOnlyOnAnEmptyPipeWhoseWriterIsThere)
{
    int ends[2];
    ASSERT_EQ(openPipe(ends), 0);
    EXPECT_TRUE(os::readWouldWait(ends[0])) << "empty";
    ASSERT_EQ(::write(ends[1], "6п\n", 4), 4);
    EXPECT_FALSE(os::readWouldWait(ends[0])) << "holding a line";
    char bytes[8];
    ASSERT_EQ(::read(ends[0], bytes, sizeof bytes), 4);
    EXPECT_TRUE(os::readWouldWait(ends[0])) << "drained";
    ::close(ends[1]);
    EXPECT_FALSE(os::readWouldWait(ends[0])) << "left by its writer: the read ends at once";
    ::close(ends[0]);
}

// The messages name errors in English on every system.
TEST(OperatingSystem, ErrorTextsAreTheCLibrarysInEnglish)
{
    EXPECT_EQ(os::errorText(ENOENT), QStringLiteral("No such file or directory"));
    EXPECT_EQ(os::errorText(EPIPE), QStringLiteral("Broken pipe"));
}

// A write to a pipe nobody reads fails as a broken pipe, whatever the C runtime
// calls it.
TEST(OperatingSystem, AWriteToAPipeWithoutReaderIsABrokenPipe)
{
    os::prepareStandardStreams(); // no death by SIGPIPE
    int ends[2];
    ASSERT_EQ(openPipe(ends), 0);
    ::close(ends[0]);
    errno = 0;
    EXPECT_LT(::write(ends[1], "x", 1), 0);
    EXPECT_EQ(os::writeError(), EPIPE);
    ::close(ends[1]);
}

TEST(OperatingSystem, NamedThreadsAreFoundByTheirName)
{
    const char *name = "tlcalc-os-test";
    ASSERT_EQ(threadsNamed(name), 0);
    std::atomic<bool> named{false};
    std::atomic<bool> done{false};
    std::thread worker([&] {
        while (!named)
            std::this_thread::yield();
        while (!done)
            std::this_thread::yield();
    });
    os::nameThread(worker, name);
    named = true;
    EXPECT_EQ(threadsNamed(name), 1);
    done = true;
    worker.join();
    EXPECT_EQ(threadsNamed(name), 0);
}

} // namespace
