#pragma once
// Where a message for the user goes: a message box in the editor, stderr in the
// command-line tool, the collected error list while timed sending runs.

#include <string>

class IMessageSink {
public:
    virtual ~IMessageSink() = default;
    virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
};
