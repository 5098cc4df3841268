#include "editor/CTextEdit.h"

#include <QKeyEvent>

void CTextEdit::keyPressEvent(QKeyEvent* event)
{
    const bool paste = event->key() == Qt::Key_V && (event->modifiers() & Qt::ControlModifier);
    QPlainTextEdit::keyPressEvent(event);
    if (paste) emit TextPasted(Qt::Key_V);
}
