#include "editor/CRowSpacingDlg.h"

#include "app/EditorState.h"
#include "editor/align/PositionApply.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CRowSpacingDlg::CRowSpacingDlg(bool allSame, int rowPitch, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QString::fromLatin1(kTitle));
    m_pSpan = new QCheckBox(QStringLiteral("A line of characters can span one screen "), this);
    m_pFix = new QCheckBox(QStringLiteral("Fix the row spacing"), this);
    m_pFixed = new QLineEdit(this);
    m_pFixed->setAccessibleName(QStringLiteral("Fixed row spacing"));
    auto* spacingLabel = new QLabel(QStringLiteral("The row spacing of selecting "), this);
    m_pSpacing = new QLineEdit(this);
    spacingLabel->setBuddy(m_pSpacing);
    m_pDefault = new QPushButton(QStringLiteral("Set row spacing to default"), this);
    m_pOk = new QPushButton(QStringLiteral("OK"), this);
    m_pCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_pOk->setDefault(true);

    m_pSpan->setChecked(g_bCanSpan != 0);
    const bool fixed = g_bFixRowPitch != 0;
    m_pFix->setChecked(fixed);
    if (allSame) m_pSpacing->setText(QString::number(rowPitch));
    if (fixed) m_pFixed->setText(QString::number(g_nFixRowPitch));
    m_pFixed->setEnabled(fixed);
    m_pSpacing->setEnabled(!fixed);
    m_pOk->setEnabled(fixed || allSame);

    connect(m_pFix, &QCheckBox::clicked, this, &CRowSpacingDlg::OnFixToggled);
    connect(m_pFixed, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_pOk->setEnabled(!text.isEmpty()); });
    connect(m_pSpacing, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_pOk->setEnabled(!text.isEmpty()); });
    connect(m_pDefault, &QPushButton::clicked, this, [this] {
        m_pFixed->setText(QStringLiteral("-1"));
        m_pSpacing->setText(QStringLiteral("-1"));
        m_pOk->setEnabled(true);
    });
    connect(m_pOk, &QPushButton::clicked, this, &CRowSpacingDlg::OnOk);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout;
    grid->addWidget(m_pSpan, 0, 0, 1, 2);
    grid->addWidget(m_pFix, 1, 0);
    grid->addWidget(m_pFixed, 1, 1);
    grid->addWidget(spacingLabel, 2, 0);
    grid->addWidget(m_pSpacing, 2, 1);
    grid->addWidget(m_pDefault, 3, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_pOk);
    buttons->addWidget(m_pCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

void CRowSpacingDlg::OnFixToggled()
{
    const bool fixed = m_pFix->isChecked();
    m_pFixed->setEnabled(fixed);
    m_pSpacing->setEnabled(!fixed);
    m_pOk->setEnabled(!(fixed ? m_pFixed : m_pSpacing)->text().isEmpty());
}

void CRowSpacingDlg::OnOk()
{
    g_bFixRowPitch = m_pFix->isChecked() ? 1 : 0;
    g_bCanSpan = m_pSpan->isChecked() ? 1 : 0;
    if (g_bFixRowPitch) g_nFixRowPitch = ReadPositionNumber(m_pFixed->text().toStdString());
    else m_nResult = ReadPositionNumber(m_pSpacing->text().toStdString());
    accept();
}
