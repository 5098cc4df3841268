#pragma once
// Messages to the user as modal message boxes owned by a window.

#include "app/IMessageSink.h"

class QWidget;

class CQtMessageSink : public IMessageSink {
public:
    explicit CQtMessageSink(QWidget* owner = nullptr) : m_pOwner(owner) {}
    void SetOwner(QWidget* owner) { m_pOwner = owner; }
    MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                              MessageButtons buttons, MessageIcon icon) override;

private:
    QWidget* m_pOwner;
};
