#include "MessageSink.h"

#include <cstdio>

namespace platform {
namespace {

void writeToStandardError(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fprintf(stderr, "%s\n", bytes.constData());
    std::fflush(stderr);
}

MessageHandler &currentHandler()
{
    static MessageHandler handler = writeToStandardError;
    return handler;
}

} // namespace

void showMessage(const QString &text)
{
    // Copy first: a handler may install another while it runs.
    const MessageHandler handler = currentHandler();
    handler(text);
}

MessageHandler setMessageHandler(MessageHandler handler)
{
    MessageHandler previous = currentHandler();
    currentHandler() = handler ? std::move(handler) : MessageHandler(writeToStandardError);
    return previous;
}

ScopedMessageHandler::ScopedMessageHandler(MessageHandler handler)
    : previous_(setMessageHandler(std::move(handler)))
{
}

ScopedMessageHandler::~ScopedMessageHandler() { setMessageHandler(std::move(previous_)); }

} // namespace platform
