#include "comm/CStderrMessageSink.h"

void CStderrMessageSink::ShowMessage(const std::string& text, const std::string& caption)
{
    std::fprintf(m_pOut, "%s: %s\n", caption.c_str(), text.c_str());
    std::fflush(m_pOut);
}
