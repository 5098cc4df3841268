#pragma once
// Messages of the command-line tools: "caption: text" on standard error.

#include "app/IMessageSink.h"

#include <cstdio>

class CStderrMessageSink : public IMessageSink {
public:
    explicit CStderrMessageSink(std::FILE* out = stderr) : m_pOut(out) {}
    MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                              MessageButtons buttons = MessageButtons::Ok,
                              MessageIcon icon = MessageIcon::None) override;

private:
    std::FILE* m_pOut;
};
