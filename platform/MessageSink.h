#pragma once

#include <QString>

#include <functional>

// The one place where a routine "shows" a modal message. The running program
// installs a real message box, tests a recorder, the command line standard error.
namespace platform {

using MessageHandler = std::function<void(const QString &text)>;

// Shows text through the installed handler; returns when the handler returns,
// as a modal box returns when the user closes it.
void showMessage(const QString &text);

// Installs handler and returns the previous one. An empty handler restores the
// default, which writes the text and a line end to standard error.
MessageHandler setMessageHandler(MessageHandler handler);

// Installs a handler for the lifetime of the guard (tests, nested tools).
class ScopedMessageHandler
{
public:
    explicit ScopedMessageHandler(MessageHandler handler);
    ~ScopedMessageHandler();
    ScopedMessageHandler(const ScopedMessageHandler &) = delete;
    ScopedMessageHandler &operator=(const ScopedMessageHandler &) = delete;

private:
    MessageHandler previous_;
};

} // namespace platform
