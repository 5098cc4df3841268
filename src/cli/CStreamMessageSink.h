#pragma once
// Messages as "caption: text" lines on a stream; nobody answers questions there, so a
// question gets Cancel and a notice Ok.

#include "app/IMessageSink.h"

#include <iosfwd>

class CStreamMessageSink : public IMessageSink {
public:
    explicit CStreamMessageSink(std::ostream& out) : m_out(out) {}
    MessageAnswer ShowMessage(const std::string& text, const std::string& caption, MessageButtons buttons,
                              MessageIcon icon) override;

private:
    std::ostream& m_out;
};
