#include "cli/CStreamMessageSink.h"

#include <ostream>

MessageAnswer CStreamMessageSink::ShowMessage(const std::string& text, const std::string& caption,
                                              MessageButtons buttons, MessageIcon)
{
    m_out << caption << (caption.empty() ? "" : ": ") << text << "\n";
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}
