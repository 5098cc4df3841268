#pragma once
// Messages of the command-line tools: "caption: text" on standard error.

#include "comm/IMessageSink.h"

#include <cstdio>

class CStderrMessageSink : public IMessageSink {
public:
    explicit CStderrMessageSink(std::FILE* out = stderr) : m_pOut(out) {}
    void ShowMessage(const std::string& text, const std::string& caption) override;

private:
    std::FILE* m_pOut;
};
