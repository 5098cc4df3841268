#include "comm/ui/CGuiThreadMessageSink.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

MessageAnswer CGuiThreadMessageSink::ShowMessage(const std::string& text, const std::string& caption,
                                                 MessageButtons buttons, MessageIcon icon)
{
    QObject* gui = m_pGuiObject.data();
    if (!gui || QThread::currentThread() == gui->thread()) return m_target.ShowMessage(text, caption, buttons, icon);
    // A dismissed box counts as the box's escape answer.
    MessageAnswer answer = buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    QMetaObject::invokeMethod(
        gui, [&] { answer = m_target.ShowMessage(text, caption, buttons, icon); }, Qt::BlockingQueuedConnection);
    return answer;
}
