#include "programme/ui/CSetColDlg.h"

#include "programme/ui/ScreenNumberBox.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CSetColDlg::CSetColDlg(int screenCount, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Set col"));
    m_pColumn = new QComboBox(this);
    m_pColumn->addItems({QStringLiteral("Import type"), QStringLiteral("Export type"), QStringLiteral("Speed"),
                         QStringLiteral("Append")});
    m_pColumn->setCurrentIndex(0);
    m_pColumn->setAccessibleName(QStringLiteral("Column"));
    m_pScreen = MakeScreenNumberBox(screenCount, this);
    m_pScreen->setAccessibleName(QStringLiteral("Screen"));

    auto* set = new QLabel(QStringLiteral("Set"), this);
    set->setBuddy(m_pColumn);
    auto* asThe = new QLabel(QStringLiteral("as the"), this);
    asThe->setBuddy(m_pScreen);
    auto* th = new QLabel(QStringLiteral("th screen"), this);
    auto* row = new QHBoxLayout;
    row->addWidget(set);
    row->addWidget(m_pColumn);
    row->addWidget(asThe);
    row->addWidget(m_pScreen);
    row->addWidget(th);

    m_pOk = new QPushButton(QStringLiteral("OK"), this);
    m_pCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_pOk->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_pOk);
    buttons->addWidget(m_pCancel);

    auto* top = new QVBoxLayout(this);
    top->addLayout(row);
    top->addLayout(buttons);
    m_pOk->setEnabled(screenCount > 0);
    connect(m_pOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
}

int CSetColDlg::ScreenIndex() const { return m_pScreen->currentIndex(); }
int CSetColDlg::ColumnIndex() const { return m_pColumn->currentIndex(); }
