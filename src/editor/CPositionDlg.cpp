#include "editor/CPositionDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char* const kLabels[4] = {"X Start position:", "Y Start position:", "Width:", "Height:"};
const char* const kCheckNames[4] = {"Use X start position", "Use Y start position", "Use width",
                                    "Use height"};
}  // namespace

CPositionDlg::CPositionDlg(std::optional<CRect> single,
                           std::function<void(const CPositionValues&)> apply, QWidget* parent)
    : QDialog(parent), m_fnApply(std::move(apply))
{
    setWindowTitle(QString::fromLatin1(kTitle));
    auto* grid = new QGridLayout;
    const int values[4] = {single ? single->left : 0, single ? single->top : 0,
                           single ? single->right - single->left : 0,
                           single ? single->bottom - single->top : 0};
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(QString::fromLatin1(kLabels[i]), this);
        m_pEdits[i] = new QLineEdit(this);
        label->setBuddy(m_pEdits[i]);
        m_pChecks[i] = new QCheckBox(this);
        m_pChecks[i]->setAccessibleName(QString::fromLatin1(kCheckNames[i]));
        if (single) m_pEdits[i]->setText(QString::number(values[i]));
        m_pChecks[i]->setChecked(i == 0);
        m_pEdits[i]->setEnabled(i == 0);
        grid->addWidget(label, i, 0);
        grid->addWidget(m_pEdits[i], i, 1);
        grid->addWidget(m_pChecks[i], i, 2);
        connect(m_pChecks[i], &QCheckBox::clicked, this, [this, i] { OnCheckClicked(i); });
        connect(m_pEdits[i], &QLineEdit::textEdited, this, &CPositionDlg::OnEditChanged);
    }
    m_pOk = new QPushButton(QStringLiteral("OK"), this);
    m_pApply = new QPushButton(QStringLiteral("Apply"), this);
    m_pCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_pOk->setDefault(true);
    SetButtonsEnabled(false);
    connect(m_pOk, &QPushButton::clicked, this, &CPositionDlg::OnOk);
    connect(m_pApply, &QPushButton::clicked, this, &CPositionDlg::OnApply);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_pOk);
    buttons->addWidget(m_pApply);
    buttons->addWidget(m_pCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

CPositionValues CPositionDlg::Values() const
{
    CPositionValues v;
    v.m_bX = m_pChecks[0]->isChecked();
    v.m_bY = m_pChecks[1]->isChecked();
    v.m_bWidth = m_pChecks[2]->isChecked();
    v.m_bHeight = m_pChecks[3]->isChecked();
    v.m_szX = m_pEdits[0]->text().toStdString();
    v.m_szY = m_pEdits[1]->text().toStdString();
    v.m_szWidth = m_pEdits[2]->text().toStdString();
    v.m_szHeight = m_pEdits[3]->text().toStdString();
    return v;
}

void CPositionDlg::OnCheckClicked(int i)
{
    m_pEdits[i]->setEnabled(m_pChecks[i]->isChecked());
    SetButtonsEnabled(true);
}

void CPositionDlg::OnEditChanged()
{
    bool complete = true;
    for (int i = 0; i < 4; ++i)
        if (m_pChecks[i]->isChecked() && m_pEdits[i]->text().isEmpty()) complete = false;
    SetButtonsEnabled(complete);
}

void CPositionDlg::SetButtonsEnabled(bool enabled)
{
    m_pOk->setEnabled(enabled);
    m_pApply->setEnabled(enabled);
}

void CPositionDlg::OnApply()
{
    if (m_fnApply) m_fnApply(Values());
    SetButtonsEnabled(false);
}

void CPositionDlg::OnOk()
{
    if (m_fnApply) m_fnApply(Values());
    accept();
}
