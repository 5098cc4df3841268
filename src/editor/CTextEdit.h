#pragma once
// The text box of the text entry window: Enter makes a new line, and Ctrl+V is reported
// after the box has pasted, so the window can tidy the pasted text.

#include <QPlainTextEdit>

class CTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;

signals:
    void TextPasted(int key);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
