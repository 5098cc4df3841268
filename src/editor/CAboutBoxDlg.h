#pragma once
// "About LED Lextrel": the program's version and date, and where to find out more, with
// the web page and the e-mail address as clickable links.

#include <QDialog>

class CLinkLabel;

class CAboutBoxDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutBoxDlg(QWidget* parent = nullptr);

    CLinkLabel* WebLink() const { return m_pWeb; }
    CLinkLabel* MailLink() const { return m_pMail; }

private:
    CLinkLabel* m_pWeb;
    CLinkLabel* m_pMail;
};
