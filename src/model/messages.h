// The one way the suite's core code talks to the user. Programs connect
// their message boxes here; the default writes to standard error.
#pragma once

#include <string>
#include <vector>

namespace quillo {

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // A message box with an OK button.
    virtual void error(const std::string& text) = 0;
    // A Yes/No question; true for Yes.
    virtual bool ask(const std::string& text) = 0;
    // A failure while a display is being set up. A message box by default;
    // the screen saver draws it into its window instead.
    virtual void setupFailure(const std::string& text) { error(text); }
};

// Installs the sink (null restores the default). Returns the previous one.
MessageSink* setMessageSink(MessageSink* sink);

// printf formatting into at most 255 bytes (never cutting a UTF-8
// sequence), followed by CR LF, as every message box shows it.
std::string formatMessage(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Shows `text` (already formatted, without the CR LF) through the sink.
void errorbox(const std::string& text);
bool askbox(const std::string& text);
// A display set-up failure (`text` formatted as for errorbox) through the sink.
void setupFailureBox(const std::string& text);

// Collects messages instead of showing them; tests install one.
class MessageLog : public MessageSink {
public:
    MessageLog();
    ~MessageLog() override;
    void error(const std::string& text) override { messages.push_back(text); }
    bool ask(const std::string& text) override
    {
        messages.push_back(text);
        return answer;
    }
    std::vector<std::string> messages;
    bool answer = true;

private:
    MessageSink* previous_;
};

} // namespace quillo
