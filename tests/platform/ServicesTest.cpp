// SPDX-License-Identifier: GPL-3.0-or-later
#include "../TestSupport.h"

#include <gtest/gtest.h>

TEST(MessageSink, ScopedHandlerSeesMessagesAndIsRemovedAfterwards)
{
    platform::Services services(1);
    QStringList outer;
    services.setMessageHandler([&](const QString &t) { outer.append(t); });
    {
        QStringList inner;
        platform::ScopedMessageHandler guard(services, [&](const QString &t) { inner.append(t); });
        services.showMessage(QStringLiteral("Цепочка маловата"));
        EXPECT_EQ(inner, QStringList{QStringLiteral("Цепочка маловата")});
    }
    services.showMessage(QStringLiteral("after"));
    EXPECT_EQ(outer, QStringList{QStringLiteral("after")});
}

TEST(MessageSink, TwoServicesObjectsNeverShareAHandler)
{
    TestServices first;
    TestServices second;
    first.showMessage(QStringLiteral("one"));
    EXPECT_EQ(first.messages, QStringList{QStringLiteral("one")});
    EXPECT_TRUE(second.messages.isEmpty());
}

TEST(PendingEvents, HookRunsAtEveryPointAndCanBeRestored)
{
    platform::Services services(1);
    int calls = 0;
    auto previous = services.setPendingEventsHook([&] { ++calls; });
    services.processPendingEvents();
    services.processPendingEvents();
    EXPECT_EQ(calls, 2);
    services.setPendingEventsHook(previous);
    services.processPendingEvents();
    EXPECT_EQ(calls, 2);
}

TEST(RandomSource, SeededServicesDealTheSameNumbers)
{
    platform::Services a(42), b(42), c(43);
    const std::uint64_t first = a.random().next();
    EXPECT_EQ(first, b.random().next());
    EXPECT_NE(first, c.random().next());
}
