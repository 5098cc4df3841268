#include "programme/ui/CSetAllScreenDlg.h"

#include "programme/ui/ScreenNumberBox.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CSetAllScreenDlg::CSetAllScreenDlg(int screenCount, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Set all screen to"));
    m_pScreen = MakeScreenNumberBox(screenCount, this);
    m_pScreen->setAccessibleName(QStringLiteral("Screen"));

    auto* first = new QLabel(QStringLiteral("Set Import mode,Export mode,Speed,"), this);
    auto* before = new QLabel(QStringLiteral("    Append of all screen as the"), this);
    before->setBuddy(m_pScreen);
    auto* after = new QLabel(QStringLiteral("th screen"), this);
    auto* row = new QHBoxLayout;
    row->addWidget(before);
    row->addWidget(m_pScreen);
    row->addWidget(after);
    row->addStretch();

    m_pOk = new QPushButton(QStringLiteral("OK"), this);
    m_pCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_pOk->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_pOk);
    buttons->addWidget(m_pCancel);

    auto* top = new QVBoxLayout(this);
    top->addWidget(first);
    top->addLayout(row);
    top->addLayout(buttons);
    m_pOk->setEnabled(screenCount > 0);
    connect(m_pOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
}

int CSetAllScreenDlg::ScreenIndex() const { return m_pScreen->currentIndex(); }
