#include "programme/ui/CAppendModeDlg.h"

#include "programme/ScreenCodes.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

std::size_t FlagSlot(std::uint8_t flag)
{
    for (std::size_t i = 0; i < kAppendFlagTexts.size(); ++i)
        if (kAppendFlagTexts[i].m_nBit == flag) return i;
    return kAppendFlagTexts.size();
}

}  // namespace

CAppendModeDlg::CAppendModeDlg(const CAppendChoice& choice, QWidget* parent)
    : QDialog(parent), m_choice(choice)
{
    setWindowTitle(QStringLiteral("Append Mode"));

    auto* checks = new QGridLayout;
    for (std::size_t i = 0; i < kAppendFlagTexts.size(); ++i) {
        auto* box = new QCheckBox(Q(kAppendFlagTexts[i].m_szCheckBox), this);
        box->setChecked((m_choice.m_nFlags & kAppendFlagTexts[i].m_nBit) != 0);
        m_aChecks[i] = box;
    }
    // Two columns; the pause time sits next to its box.
    m_pPause = new QLineEdit(QString::fromStdString(m_choice.m_szPause), this);
    m_pPause->setMaxLength(2);
    m_pPause->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,2}")), m_pPause));
    m_pPause->setFixedWidth(m_pPause->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 12);
    m_pPause->setAccessibleName(QStringLiteral("Pause"));
    auto* secs = new QLabel(QStringLiteral("secs"), this);
    secs->setBuddy(m_pPause);
    auto* pauseRow = new QHBoxLayout;
    pauseRow->addWidget(CheckBox(APPEND_PAUSE));
    pauseRow->addWidget(m_pPause);
    pauseRow->addWidget(secs);
    pauseRow->addStretch();
    checks->addWidget(CheckBox(APPEND_FLICKER), 0, 0);
    checks->addLayout(pauseRow, 1, 0);
    checks->addWidget(CheckBox(APPEND_CONTINUUM), 2, 0);
    checks->addWidget(CheckBox(APPEND_TIME), 0, 1);
    checks->addWidget(CheckBox(APPEND_QUIESCENCE), 1, 1);
    checks->addWidget(CheckBox(APPEND_CARTOON), 2, 1);

    auto* group = new QGroupBox(QStringLiteral("Cartoon Type"), this);
    auto* radios = new QVBoxLayout(group);
    m_pCartoonGroup = new QButtonGroup(this);
    for (std::size_t i = 0; i < kCartoonNames.size(); ++i) {
        m_aCartoons[i] = new QRadioButton(Q(kCartoonNames[i]), group);
        m_pCartoonGroup->addButton(m_aCartoons[i], int(i));
        radios->addWidget(m_aCartoons[i]);
    }

    m_pOk = new QPushButton(QStringLiteral("OK"), this);
    m_pCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_pOk->setDefault(true);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_pOk);
    buttons->addWidget(m_pCancel);
    buttons->addStretch();

    auto* left = new QVBoxLayout;
    left->addLayout(checks);
    left->addWidget(group);
    auto* top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addLayout(buttons);

    // Opening: the pause edit only with Pause; the radios only with Cartoon, showing the
    // cartoon then, and "Eat bean" otherwise.
    m_pPause->setEnabled(CheckBox(APPEND_PAUSE)->isChecked());
    const bool cartoon = CheckBox(APPEND_CARTOON)->isChecked();
    if (cartoon)
        ShowCartoonRadios(true);
    else {
        m_aCartoons[0]->setChecked(true);
        for (QRadioButton* r : m_aCartoons) r->setEnabled(false);
    }

    connect(CheckBox(APPEND_PAUSE), &QCheckBox::clicked, this, [this](bool on) { m_pPause->setEnabled(on); });
    connect(CheckBox(APPEND_CARTOON), &QCheckBox::clicked, this, [this](bool on) {
        if (on)
            ShowCartoonRadios(true);
        else
            for (QRadioButton* r : m_aCartoons) r->setEnabled(false);
    });
    connect(m_pCartoonGroup, &QButtonGroup::idClicked, this, [this](int id) { m_choice.m_nCartoon = id; });
    connect(m_pOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QCheckBox* CAppendModeDlg::CheckBox(std::uint8_t flag) const
{
    const std::size_t slot = FlagSlot(flag);
    return slot < m_aChecks.size() ? m_aChecks[slot] : nullptr;
}

void CAppendModeDlg::ShowCartoonRadios(bool enabled)
{
    for (QRadioButton* r : m_aCartoons) r->setEnabled(enabled);
    // A number no radio stands for (from a file) leaves the radios as they are.
    if (m_choice.m_nCartoon >= 0 && m_choice.m_nCartoon < int(m_aCartoons.size()))
        m_aCartoons[std::size_t(m_choice.m_nCartoon)]->setChecked(true);
}

void CAppendModeDlg::accept()
{
    std::uint8_t flags = 0;
    for (std::size_t i = 0; i < kAppendFlagTexts.size(); ++i)
        if (m_aChecks[i]->isChecked()) flags |= kAppendFlagTexts[i].m_nBit;
    // The flags come from the boxes alone: bits the editor never sets are dropped here.
    m_choice.m_nFlags = flags;
    m_choice.m_szPause = m_pPause->text().toStdString();
    QDialog::accept();
}
