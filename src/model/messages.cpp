#include "messages.h"

#include <cstdarg>
#include <cstdio>

#include "text_util.h"

namespace quillo {

namespace {

class StderrSink : public MessageSink {
public:
    void error(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    bool ask(const std::string& text) override
    {
        std::fprintf(stderr, "%s\n", text.c_str());
        return false;
    }
};

StderrSink stderrSink;
MessageSink* current = &stderrSink;

} // namespace

MessageSink* setMessageSink(MessageSink* sink)
{
    MessageSink* previous = current;
    current = sink ? sink : &stderrSink;
    return previous;
}

std::string formatMessage(const char* format, ...)
{
    char buffer[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return cutUtf8(buffer, 255) + "\r\n";
}

static std::string stripCrLf(const std::string& text)
{
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)
        return text.substr(0, text.size() - 2);
    return text;
}

void errorbox(const std::string& text) { current->error(stripCrLf(text)); }
bool askbox(const std::string& text) { return current->ask(stripCrLf(text)); }
void setupFailureBox(const std::string& text) { current->setupFailure(stripCrLf(text)); }

MessageLog::MessageLog() : previous_(setMessageSink(this)) {}
MessageLog::~MessageLog() { setMessageSink(previous_ == this ? nullptr : previous_); }

} // namespace quillo
