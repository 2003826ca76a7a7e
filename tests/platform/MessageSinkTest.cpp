#include "../TestSupport.h"
#include "platform/PendingEvents.h"

#include <gtest/gtest.h>

TEST(MessageSink, RecorderSeesMessagesAndIsRemovedAfterwards)
{
    QStringList outer;
    platform::ScopedMessageHandler outerGuard([&](const QString &t) { outer.append(t); });
    {
        MessageRecorder recorder;
        platform::showMessage(QStringLiteral("Цепочка маловата"));
        EXPECT_EQ(recorder.messages, QStringList{QStringLiteral("Цепочка маловата")});
    }
    platform::showMessage(QStringLiteral("after"));
    EXPECT_EQ(outer, QStringList{QStringLiteral("after")});
}

TEST(PendingEvents, HookRunsAtEveryPointAndCanBeRestored)
{
    int calls = 0;
    auto previous = platform::setPendingEventsHook([&] { ++calls; });
    platform::processPendingEvents();
    platform::processPendingEvents();
    EXPECT_EQ(calls, 2);
    platform::setPendingEventsHook(previous);
    platform::processPendingEvents();
    EXPECT_EQ(calls, 2);
}
