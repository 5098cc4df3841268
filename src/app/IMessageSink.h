#pragma once
// Where the program's messages to the user go: a message box in the editor, a list
// during timed sending, stderr in the command-line tool. Tests record them.

#include <string>

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageAnswer { Ok, Cancel, Yes, No };

class IMessageSink {
public:
    virtual ~IMessageSink() = default;
    virtual MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                                      MessageButtons buttons = MessageButtons::Ok,
                                      MessageIcon icon = MessageIcon::None) = 0;
};
