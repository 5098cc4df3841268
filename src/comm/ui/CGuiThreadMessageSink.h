#pragma once
// Messages from a worker thread shown by a sink that lives on the GUI thread. The worker
// waits until the user has answered the box, as it would on the GUI thread itself.

#include "app/IMessageSink.h"

#include <QPointer>

class QObject;

class CGuiThreadMessageSink : public IMessageSink {
public:
    // guiObject: any object of the GUI thread that outlives the worker's messages.
    CGuiThreadMessageSink(IMessageSink& target, QObject* guiObject) : m_target(target), m_pGuiObject(guiObject) {}
    MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                              MessageButtons buttons = MessageButtons::Ok,
                              MessageIcon icon = MessageIcon::None) override;

private:
    IMessageSink& m_target;
    QPointer<QObject> m_pGuiObject;
};
