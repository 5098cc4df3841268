#pragma once
// "The result of query": the log of an information query, read-only, and "Close".

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

class CQueryResultDlg : public QDialog {
    Q_OBJECT
public:
    // log: lines ending in CR LF.
    explicit CQueryResultDlg(const QString& log, QWidget* parent = nullptr);

    QPlainTextEdit* TextBox() const { return m_pText; }
    QPushButton* CloseButton() const { return m_pClose; }

private:
    QPlainTextEdit* m_pText = nullptr;
    QPushButton* m_pClose = nullptr;
};
