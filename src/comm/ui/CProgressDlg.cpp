#include "comm/ui/CProgressDlg.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

CProgressDlg::CProgressDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QString());
    setModal(true);
    m_pText = new QLabel(this);
    m_pText->setMinimumWidth(460);
    m_pBar = new QProgressBar(this);
    m_pBar->setTextVisible(false);
    m_pBar->setRange(0, 100);
    m_pBar->setValue(0);
    m_pCancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    m_pCancelButton->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_pCancelButton);
    auto* top = new QVBoxLayout(this);
    top->addWidget(m_pText);
    top->addWidget(m_pBar);
    top->addLayout(buttons);
    connect(m_pCancelButton, &QPushButton::clicked, this, &CProgressDlg::RequestCancel);
}

void CProgressDlg::Finish()
{
    m_bFinished = true;
    done(QDialog::Accepted);
}

void CProgressDlg::RequestCancel()
{
    if (m_pCancel) m_pCancel->store(true);
    m_pCancelButton->setEnabled(false);
}

void CProgressDlg::reject()
{
    if (m_bFinished) {
        QDialog::reject();
        return;
    }
    RequestCancel();
}

void CProgressDlg::closeEvent(QCloseEvent* event)
{
    if (m_bFinished) {
        QDialog::closeEvent(event);
        return;
    }
    RequestCancel();
    event->ignore();
}

void CProgressDlg::SetText(const std::string& text)
{
    m_pText->setText(QString::fromStdString(text));
    m_pText->repaint();
}

void CProgressDlg::SetRange(int low, int high)
{
    m_pBar->setRange(low, std::max(low, high));
}

void CProgressDlg::SetPos(int pos)
{
    m_pBar->setValue(std::clamp(pos, m_pBar->minimum(), m_pBar->maximum()));
}

void CProgressDlg::SetStep(int step)
{
    m_nStep = step;
}

void CProgressDlg::StepIt()
{
    // Like a progress control, stepping past the end starts again from the beginning.
    int next = m_pBar->value() + m_nStep;
    if (next > m_pBar->maximum()) next = m_pBar->minimum() + (next - m_pBar->maximum());
    SetPos(next);
}
