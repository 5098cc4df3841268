#include "comm/ui/CClockPosDlg.h"

#include "app/CVemtApp.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <algorithm>

CClockPosDlg::CClockPosDlg(CVemtApp& app, QWidget* parent) : QDialog(parent), m_app(app)
{
    setWindowTitle(QStringLiteral("Setting X,Y position"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);

    // Digits only, as a number edit takes them; three are enough for any byte.
    auto* digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), this);
    const auto addField = [&](int row, const QString& text, int value) {
        auto* label = new QLabel(text);
        auto* edit = new QLineEdit(QString::number(value));
        edit->setValidator(digits);
        edit->setMaxLength(3);
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        return edit;
    };
    m_pX = addField(0, QStringLiteral("The X position of time(Use BYTE as uints):"), app.m_nClockX);
    m_pY = addField(1, QStringLiteral("The Y position of time(Use BYTE as uints):"), app.m_nClockY);
    m_pSecond = new QCheckBox(QStringLiteral("Display second"));
    m_pSecond->setChecked(app.m_bDisplaySecond != 0);
    grid->addWidget(m_pSecond, 2, 0, 1, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_pOk = new QPushButton(QStringLiteral("OK"));
    m_pOk->setDefault(true);
    m_pCancel = new QPushButton(QStringLiteral("Cancel"));
    buttons->addWidget(m_pOk);
    buttons->addWidget(m_pCancel);
    layout->addLayout(buttons);
    connect(m_pOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);

    // Each field, as it is edited, decides alone whether OK can be pressed.
    connect(m_pX, &QLineEdit::textChanged, this, [this](const QString& text) { m_pOk->setEnabled(!text.isEmpty()); });
    connect(m_pY, &QLineEdit::textChanged, this, [this](const QString& text) { m_pOk->setEnabled(!text.isEmpty()); });
}

void CClockPosDlg::accept()
{
    if (!m_pOk->isEnabled()) return;
    // An empty field counts as 0; a value past one byte would wrap on the wire.
    m_app.m_nClockX = std::min(m_pX->text().toInt(), kMaxPosition);
    m_app.m_nClockY = std::min(m_pY->text().toInt(), kMaxPosition);
    m_app.m_bDisplaySecond = m_pSecond->isChecked() ? 1 : 0;
    QDialog::accept();
}
