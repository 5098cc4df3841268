#include "comm/ui/CQueryResultDlg.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

CQueryResultDlg::CQueryResultDlg(const QString& log, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("The result of query"));
    auto* layout = new QVBoxLayout(this);
    m_pText = new QPlainTextEdit;
    m_pText->setReadOnly(true);
    m_pText->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pText->setAccessibleName(QStringLiteral("The result of query"));
    // The text box shows line feeds; the carriage returns belong to the log's own form.
    QString shown = log;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_pText->setPlainText(shown);
    layout->addWidget(m_pText);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_pClose = new QPushButton(QStringLiteral("Close"));
    m_pClose->setDefault(true);
    buttons->addWidget(m_pClose);
    layout->addLayout(buttons);
    connect(m_pClose, &QPushButton::clicked, this, &QDialog::accept);
    // Wide enough for the longest line, within reason; the box scrolls beyond that.
    int widest = 0;
    for (const QString& line : shown.split(QLatin1Char('\n')))
        widest = std::max(widest, m_pText->fontMetrics().horizontalAdvance(line));
    resize(std::clamp(widest + 60, 420, 900), 260);
}
