#pragma once
// The progress window's texts as lines on a stream, each once; the bar is not shown.

#include "comm/IProgressSink.h"

#include <iosfwd>
#include <string>

class CTextProgress : public IProgressSink {
public:
    explicit CTextProgress(std::ostream& out) : m_out(out) {}
    void SetText(const std::string& text) override;
    void SetRange(int, int) override {}
    void SetPos(int) override {}
    void SetStep(int) override {}
    void StepIt() override {}

private:
    std::ostream& m_out;
    std::string m_szLast;
};
