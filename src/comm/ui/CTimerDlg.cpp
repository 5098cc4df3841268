#include "comm/ui/CTimerDlg.h"

#include "app/IMessageSink.h"
#include "comm/TimerDays.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cstdio>

namespace {

constexpr int kMaxHour = 23;
constexpr int kMaxMinute = 59;

QString Formatted(const char* format, int value)
{
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return QString::fromLatin1(text);
}

bool AllDigits(const QString& text)
{
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}

QComboBox* EditableCombo(int maxChars, const QString& accessibleName)
{
    auto* box = new QComboBox;
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->lineEdit()->setMaxLength(maxChars);
    box->setAccessibleName(accessibleName);
    return box;
}

}  // namespace

CTimerDlg::CTimerDlg(TimerTable& timers, int screenCount, IMessageSink& messages, QWidget* parent)
    : QDialog(parent), m_timers(timers), m_nScreenCount(screenCount < 1 ? 1 : screenCount), m_messages(messages)
{
    setWindowTitle(QStringLiteral("Timer"));
    m_fnBeep = [] { QApplication::beep(); };

    auto* layout = new QHBoxLayout(this);

    // "The [n] th timer", the list as tall as its eight numbers.
    auto* listRow = new QHBoxLayout;
    auto* theLabel = new QLabel(QStringLiteral("The"));
    m_pList = new QListWidget;
    for (int k = 1; k <= int(m_timers.size()); ++k) m_pList->addItem(Formatted("%d", k));
    m_pList->setFixedWidth(40);
    m_pList->setFixedHeight(m_pList->sizeHintForRow(0) * m_pList->count() + 2 * m_pList->frameWidth() + 2);
    m_pList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pList->setAccessibleName(QStringLiteral("Timer entry"));
    theLabel->setBuddy(m_pList);
    listRow->addWidget(theLabel, 0, Qt::AlignTop);
    listRow->addWidget(m_pList, 0, Qt::AlignTop);
    listRow->addWidget(new QLabel(QStringLiteral("th timer")), 0, Qt::AlignTop);
    listRow->setSpacing(4);
    layout->addLayout(listRow, 0);
    layout->addSpacing(12);

    auto* entry = new QVBoxLayout;
    auto* radios = new QHBoxLayout;
    m_pDisable = new QRadioButton(QStringLiteral("Disable"));
    m_pEnable = new QRadioButton(QStringLiteral("Enable"));
    radios->addWidget(m_pDisable);
    radios->addWidget(m_pEnable);
    radios->addStretch();
    entry->addLayout(radios);

    auto* when = new QHBoxLayout;
    m_pDay = new QComboBox;
    for (const char* day : kTimerDayNames) m_pDay->addItem(QString::fromLatin1(day));
    m_pDay->setAccessibleName(QStringLiteral("Day"));
    m_pHour = EditableCombo(2, QStringLiteral("Hour"));
    for (int h = 0; h <= kMaxHour; ++h) m_pHour->addItem(Formatted("%02d", h));
    m_pMinute = EditableCombo(2, QStringLiteral("Minute"));
    for (int m = 0; m <= kMaxMinute; ++m) m_pMinute->addItem(Formatted("%02d", m));
    when->addWidget(m_pDay);
    when->addWidget(m_pHour);
    when->addWidget(new QLabel(QStringLiteral(":")));
    when->addWidget(m_pMinute);
    when->addStretch();
    entry->addLayout(when);

    m_pClose = new QCheckBox(QStringLiteral("Close LED Lextrel"));
    entry->addWidget(m_pClose);

    auto* screens = new QHBoxLayout;
    auto* fromLabel = new QLabel(QStringLiteral("Display from"));
    m_pFirst = EditableCombo(3, QStringLiteral("Display from"));
    fromLabel->setBuddy(m_pFirst);
    auto* toLabel = new QLabel(QStringLiteral("to"));
    m_pLast = EditableCombo(3, QStringLiteral("to"));
    toLabel->setBuddy(m_pLast);
    screens->addWidget(fromLabel);
    screens->addWidget(m_pFirst);
    screens->addWidget(toLabel);
    screens->addWidget(m_pLast);
    screens->addWidget(new QLabel(QStringLiteral("repeatedly")));
    screens->addStretch();
    entry->addLayout(screens);
    entry->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_pSet = new QPushButton(QStringLiteral("Set"));
    m_pSet->setDefault(true);
    m_pCancel = new QPushButton(QStringLiteral("Cancel"));
    buttons->addWidget(m_pSet);
    buttons->addWidget(m_pCancel);
    entry->addLayout(buttons);
    layout->addLayout(entry, 1);

    connect(m_pSet, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pList, &QListWidget::currentRowChanged, this, &CTimerDlg::OnEntrySelected);
    connect(m_pDisable, &QRadioButton::clicked, this, [this] { OnEnabledClicked(false); });
    connect(m_pEnable, &QRadioButton::clicked, this, [this] { OnEnabledClicked(true); });
    connect(m_pClose, &QCheckBox::clicked, this, [this](bool checked) {
        m_pFirst->setEnabled(!checked);
        m_pLast->setEnabled(!checked);
    });
    // Only the user's typing is checked, not the boxes being filled.
    connect(m_pHour->lineEdit(), &QLineEdit::textEdited, this,
            [this] { OnTimeEdited(m_pHour, kMaxHour, &TIMERINFO::byHour); });
    connect(m_pMinute->lineEdit(), &QLineEdit::textEdited, this,
            [this] { OnTimeEdited(m_pMinute, kMaxMinute, &TIMERINFO::byMinute); });
    connect(m_pFirst->lineEdit(), &QLineEdit::textEdited, this,
            [this] { OnScreenEdited(m_pFirst, &TIMERINFO::byFirstScreen); });
    connect(m_pLast->lineEdit(), &QLineEdit::textEdited, this,
            [this] { OnScreenEdited(m_pLast, &TIMERINFO::byLastScreen); });
    for (QComboBox* box : {m_pHour, m_pMinute, m_pFirst, m_pLast}) {
        box->installEventFilter(this);
        box->lineEdit()->installEventFilter(this);
    }

    m_bSwitching = true;
    m_pList->setCurrentRow(0);
    m_bSwitching = false;
    ShowEntry(0);
}

void CTimerDlg::Beep()
{
    if (m_fnBeep) m_fnBeep();
}

void CTimerDlg::SelectValue(QComboBox* box, int index, int value, const char* format)
{
    // A value the list does not hold (a table from another sign, say) is shown as text.
    if (index >= 0 && index < box->count()) box->setCurrentIndex(index);
    else box->setEditText(Formatted(format, value));
}

void CTimerDlg::ShowEntry(int k)
{
    const TIMERINFO& t = m_timers[std::size_t(k)];
    const bool enabled = t.byEnabled != 0;
    (enabled ? m_pEnable : m_pDisable)->setChecked(true);
    for (QWidget* w : std::initializer_list<QWidget*> {m_pDay, m_pHour, m_pMinute, m_pClose}) w->setEnabled(enabled);
    m_pClose->setChecked(t.byClose != 0);
    m_pFirst->setEnabled(enabled && t.byClose == 0);
    m_pLast->setEnabled(enabled && t.byClose == 0);

    for (QComboBox* box : {m_pFirst, m_pLast}) {
        box->clear();
        for (int s = 1; s <= m_nScreenCount; ++s) box->addItem(Formatted("%03d", s));
    }
    SelectValue(m_pFirst, t.byFirstScreen - 1, t.byFirstScreen, "%03d");
    SelectValue(m_pLast, t.byLastScreen - 1, t.byLastScreen, "%03d");
    m_pDay->setCurrentIndex(t.byDay < m_pDay->count() ? t.byDay : 0);
    SelectValue(m_pHour, t.byHour, t.byHour, "%02d");
    SelectValue(m_pMinute, t.byMinute, t.byMinute, "%02d");
}

bool CTimerDlg::SaveEntry(int k, bool check)
{
    TIMERINFO& t = m_timers[std::size_t(k)];
    const QString firstText = m_pFirst->currentText();
    const QString lastText = m_pLast->currentText();
    const int first = firstText.toInt();
    const int last = lastText.toInt();
    if (check && !m_pClose->isChecked() && t.byEnabled && first > last) {
        const std::string message = "The start address(value is " + firstText.toStdString() +
                                    ") can't large than end address(value is " + lastText.toStdString() + ")";
        m_messages.ShowMessage(message, "Error");
        m_pFirst->setFocus();
        return false;
    }
    t.byClose = m_pClose->isChecked() ? 1 : 0;
    if (m_pDay->currentIndex() >= 0) t.byDay = std::uint8_t(m_pDay->currentIndex());
    t.byFirstScreen = std::uint8_t(first);
    t.byLastScreen = std::uint8_t(last);
    t.byHour = std::uint8_t(m_pHour->currentText().toInt());
    t.byMinute = std::uint8_t(m_pMinute->currentText().toInt());
    return true;
}

void CTimerDlg::OnEntrySelected(int row)
{
    if (m_bSwitching || row < 0 || row == m_nCurrent) return;
    if (SaveEntry(m_nCurrent, true)) {
        m_nCurrent = row;
        ShowEntry(row);
        return;
    }
    m_bSwitching = true;
    m_pList->setCurrentRow(m_nCurrent);
    m_bSwitching = false;
}

void CTimerDlg::OnEnabledClicked(bool enabled)
{
    SaveEntry(m_nCurrent, false);
    m_timers[std::size_t(m_nCurrent)].byEnabled = enabled ? 1 : 0;
    ShowEntry(m_nCurrent);
}

void CTimerDlg::OnTimeEdited(QComboBox* box, int limit, std::uint8_t TIMERINFO::*stored)
{
    const QString text = box->currentText();
    if (!AllDigits(text)) {
        Beep();
        const int value = m_timers[std::size_t(m_nCurrent)].*stored;
        SelectValue(box, value, value, "%02d");
    } else if (!text.isEmpty() && text.toInt() > limit) {
        Beep();
        box->setCurrentIndex(limit);
    } else {
        return;
    }
    box->lineEdit()->selectAll();
}

void CTimerDlg::OnScreenEdited(QComboBox* box, std::uint8_t TIMERINFO::*stored)
{
    const QString text = box->currentText();
    if (!AllDigits(text)) {
        Beep();
        const int value = m_timers[std::size_t(m_nCurrent)].*stored;
        SelectValue(box, value - 1, value, "%03d");
    } else if (text.toInt() > m_nScreenCount) {
        Beep();
        box->setCurrentIndex(m_nScreenCount - 1);
    } else if (text.isEmpty() || text.toInt() == 0) {
        Beep();
        box->setCurrentIndex(0);
    } else {
        return;
    }
    box->lineEdit()->selectAll();
}

bool CTimerDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        // Leaving a box shows the typed value as the list's own item.
        auto* box = qobject_cast<QComboBox*>(watched);
        if (!box && watched->parent()) box = qobject_cast<QComboBox*>(watched->parent());
        if (box && box->isEditable() && AllDigits(box->currentText()) && !box->currentText().isEmpty()) {
            const int value = box->currentText().toInt();
            const int index = (box == m_pFirst || box == m_pLast) ? value - 1 : value;
            if (index >= 0 && index < box->count()) box->setCurrentIndex(index);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CTimerDlg::accept()
{
    if (SaveEntry(m_nCurrent, true)) QDialog::accept();
}
