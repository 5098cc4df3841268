#include "comm/CStderrMessageSink.h"

// Nobody can answer on stderr: a question takes its safe answer.
MessageAnswer CStderrMessageSink::ShowMessage(const std::string& text, const std::string& caption,
                                              MessageButtons buttons, MessageIcon)
{
    std::fprintf(m_pOut, "%s: %s\n", caption.c_str(), text.c_str());
    std::fflush(m_pOut);
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok
           : buttons == MessageButtons::OkCancel ? MessageAnswer::Cancel
           : buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
}
