#pragma once
// Records the messages a widget would show, instead of opening boxes.

#include "app/IMessageSink.h"

#include <string>
#include <vector>

struct RecordedMessage {
    std::string text;
    std::string caption;
};

class RecordingMessageSink : public IMessageSink {
public:
    MessageAnswer ShowMessage(const std::string& text, const std::string& caption, MessageButtons,
                              MessageIcon) override
    {
        messages.push_back({text, caption});
        return answer;
    }
    std::vector<RecordedMessage> messages;
    MessageAnswer answer = MessageAnswer::Ok;
};
