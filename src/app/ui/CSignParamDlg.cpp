#include "app/ui/CSignParamDlg.h"

#include "app/CVemtApp.h"
#include "app/IMessageSink.h"
#include "app/SignParams.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
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

QLineEdit* MakeNumberEdit(QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(3);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), edit));
    edit->setFixedWidth(60);
    return edit;
}

// An edit's number as the dialog reads it: empty text is 0.
int NumberOf(const QLineEdit* edit)
{
    return edit->text().toInt();
}

}  // namespace

CSignParamDlg::CSignParamDlg(CVemtApp& app, IProfile& profile, IMessageSink& messages,
                             std::string vemtIniPath, QWidget* parent)
    : QDialog(parent), m_app(app), m_profile(profile), m_messages(messages),
      m_szVemtIniPath(std::move(vemtIniPath))
{
    setWindowTitle(QStringLiteral("Set parameter of LED Lextrel"));
    BuildControls();
    m_form.LoadParams(m_profile, m_szVemtIniPath, m_app);
    ShowValues();
}

void CSignParamDlg::BuildControls()
{
    auto* colorBox = new QGroupBox(QStringLiteral("Color"), this);
    m_pSingle = new QRadioButton(QStringLiteral("Single Color"), colorBox);
    m_pDouble = new QRadioButton(QStringLiteral("Double Color"), colorBox);
    m_pScale = new QRadioButton(QStringLiteral("Scale Color 256"), colorBox);
    m_pScale->setEnabled(false);
    auto* colorLayout = new QVBoxLayout(colorBox);
    colorLayout->addWidget(m_pSingle);
    colorLayout->addWidget(m_pDouble);
    colorLayout->addWidget(m_pScale);

    auto* modeBox = new QGroupBox(QStringLiteral("Communication Mode"), this);
    m_p232 = new QRadioButton(QStringLiteral("232 Mode"), modeBox);
    m_p422 = new QRadioButton(QStringLiteral("422 Mode"), modeBox);
    m_p422->setEnabled(false);
    // A stored flag other than 0 or 1 leaves both unmarked, so the group must allow that.
    m_pModeGroup = new QButtonGroup(this);
    m_pModeGroup->setExclusive(false);
    m_pModeGroup->addButton(m_p232);
    m_pModeGroup->addButton(m_p422);
    auto* modeLayout = new QVBoxLayout(modeBox);
    modeLayout->addWidget(m_p232);
    modeLayout->addWidget(m_p422);

    m_pWidth = MakeNumberEdit(this);
    m_pHeight = MakeNumberEdit(this);
    m_pNumber = MakeNumberEdit(this);
    m_pVersion = new QComboBox(this);
    m_pVersion->addItem(QStringLiteral("Before V3.18"));
    m_pVersion->addItem(QStringLiteral("After V3.18"));
    m_pMaxLabel = new QLabel(this);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Width"), this), 0, 0);
    fields->addWidget(m_pWidth, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("Height"), this), 1, 0);
    fields->addWidget(m_pHeight, 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("Moving-Sign Version"), this), 2, 0);
    fields->addWidget(m_pVersion, 2, 1);
    fields->addWidget(new QLabel(QStringLiteral("Number stored"), this), 3, 0);
    fields->addWidget(m_pNumber, 3, 1);
    fields->addWidget(m_pMaxLabel, 4, 1);
    fields->setRowStretch(5, 1);

    m_pSet = new QPushButton(QStringLiteral("Set"), this);
    m_pHelp = new QPushButton(QStringLiteral("Help..."), this);
    m_pSet->setDefault(true);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_pSet);
    buttons->addWidget(m_pHelp);
    buttons->addStretch();

    auto* left = new QVBoxLayout;
    left->addWidget(colorBox);
    left->addWidget(modeBox);
    auto* top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addLayout(fields);
    top->addLayout(buttons);

    connect(m_pSingle, &QRadioButton::clicked, this, [this] { OnColorClicked(1); });
    connect(m_pDouble, &QRadioButton::clicked, this, [this] { OnColorClicked(2); });
    connect(m_p232, &QRadioButton::clicked, this, [this] {
        m_form.m_nIs232 = 1;
        m_p232->setChecked(true);
        m_p422->setChecked(false);
    });
    connect(m_pWidth, &QLineEdit::textEdited, this, &CSignParamDlg::OnWidthChanged);
    connect(m_pHeight, &QLineEdit::textEdited, this, &CSignParamDlg::OnHeightChanged);
    connect(m_pVersion, qOverload<int>(&QComboBox::activated), this, &CSignParamDlg::OnVersionChosen);
    connect(m_pSet, &QPushButton::clicked, this, &CSignParamDlg::OnSet);
    connect(m_pHelp, &QPushButton::clicked, this, &CSignParamDlg::OnHelp);
    m_pWidth->installEventFilter(this);
}

void CSignParamDlg::ShowValues()
{
    switch (m_form.m_nColorCount) {
    case 1: m_pSingle->setChecked(true); break;
    case 2: m_pDouble->setChecked(true); break;
    default:
        m_form.m_nColorCount = 3;
        m_pScale->setChecked(true);
        break;
    }
    if (m_form.m_nIs232 == 1) m_p232->setChecked(true);
    else if (m_form.m_nIs232 == 0) m_p422->setChecked(true);

    m_pWidth->setText(QString::number(m_form.m_nTPWidth));
    m_pHeight->setText(QString::number(m_form.m_nTPHeight));
    m_pNumber->setText(QString::number(m_form.m_nTotalScreen));
    m_pMaxLabel->setText(QStringLiteral("(Max is:%1)").arg(m_form.m_nMaxScreen));
    m_pVersion->setCurrentIndex(MemoryCodeToVersionIndex(m_form.m_nMemorySize));
}

void CSignParamDlg::ReadFields()
{
    m_form.m_nTPWidth = NumberOf(m_pWidth);
    m_form.m_nTPHeight = NumberOf(m_pHeight);
    m_form.m_nTotalScreen = NumberOf(m_pNumber);
    m_form.m_nMemorySize = VersionIndexToMemoryCode(m_pVersion->currentIndex());
}

void CSignParamDlg::RecomputeAndShow()
{
    ReadFields();
    // Both dimensions must be usable: a half-typed other field would divide by zero.
    if (m_form.m_nTPWidth < kMinSignWidth || m_form.m_nTPHeight < 1) return;
    const int maximum = m_form.RecomputeMax(m_app);
    m_pMaxLabel->setText(QStringLiteral("(Max is:%1)").arg(maximum));
    m_pNumber->setText(QString::number(maximum));  // the user's number is discarded
    m_form.m_nTotalScreen = maximum;
}

void CSignParamDlg::OnColorClicked(int colorCount)
{
    m_form.m_nColorCount = colorCount;
    RecomputeAndShow();
}

void CSignParamDlg::OnWidthChanged()
{
    if (NumberOf(m_pWidth) >= kMinSignWidth) RecomputeAndShow();
}

void CSignParamDlg::OnHeightChanged()
{
    if (NumberOf(m_pHeight) >= 1) RecomputeAndShow();
}

void CSignParamDlg::OnVersionChosen(int)
{
    RecomputeAndShow();
}

bool CSignParamDlg::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving Width by the keyboard or the mouse checks it; losing focus to a message
    // box or another window does not.
    if (watched == m_pWidth && event->type() == QEvent::FocusOut && !m_bPrompting) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
            reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason) {
            // After the focus change has finished: the edit clears its selection when
            // it loses focus, which would undo the select-all of the refusal.
            if (auto refusal = CSignParamForm::CheckWidthOnLeave(NumberOf(m_pWidth))) {
                m_bWidthPromptPending = true;
                QMetaObject::invokeMethod(this, [this, r = *refusal] {
                    m_bWidthPromptPending = false;
                    Refuse(r);
                }, Qt::QueuedConnection);
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

QLineEdit* CSignParamDlg::EditOf(CSignParamForm::Field field) const
{
    switch (field) {
    case CSignParamForm::Field::Width: return m_pWidth;
    case CSignParamForm::Field::Height: return m_pHeight;
    case CSignParamForm::Field::NumberStored: return m_pNumber;
    }
    return m_pWidth;
}

void CSignParamDlg::Refuse(const CSignParamForm::Refusal& refusal)
{
    m_bPrompting = true;
    m_messages.ShowMessage(refusal.m_szMessage, refusal.m_szCaption);
    QLineEdit* edit = EditOf(refusal.m_field);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    m_bPrompting = false;
}

void CSignParamDlg::OnSet()
{
    // Leaving Width for the button already prompts about it: the prompt takes the click.
    if (m_bWidthPromptPending) return;
    ReadFields();
    if (auto refusal = m_form.Set(m_profile, m_app)) {
        Refuse(*refusal);
        return;
    }
    accept();
}

void CSignParamDlg::OnHelp()
{
    m_messages.ShowMessage(CSignParamForm::HelpText(), "Help...");
}
