#pragma once
// "Timer": the eight entries of the sign's weekly on/off timer. Switching entries and
// "Set" store the shown entry after checking its screen range; "Disable" and "Enable"
// store it without the check. Cancel keeps what was stored before it.

#include "comm/TIMERINFO.h"

#include <QDialog>

#include <functional>

class IMessageSink;
class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;
class QRadioButton;

class CTimerDlg : public QDialog {
    Q_OBJECT
public:
    // screenCount: the screens of the document, offered in the screen boxes.
    CTimerDlg(TimerTable& timers, int screenCount, IMessageSink& messages, QWidget* parent = nullptr);

    QListWidget* EntryList() const { return m_pList; }
    QRadioButton* DisableRadio() const { return m_pDisable; }
    QRadioButton* EnableRadio() const { return m_pEnable; }
    QComboBox* DayCombo() const { return m_pDay; }
    QComboBox* HourCombo() const { return m_pHour; }
    QComboBox* MinuteCombo() const { return m_pMinute; }
    QCheckBox* CloseCheck() const { return m_pClose; }
    QComboBox* FirstScreenCombo() const { return m_pFirst; }
    QComboBox* LastScreenCombo() const { return m_pLast; }
    QPushButton* SetButton() const { return m_pSet; }
    QPushButton* CancelButton() const { return m_pCancel; }

    // The entry shown (0-based).
    int CurrentEntry() const { return m_nCurrent; }

    // Sounds for a refused keystroke (default: the system beep).
    std::function<void()> m_fnBeep;

public slots:
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowEntry(int k);
    bool SaveEntry(int k, bool check);
    void OnEntrySelected(int row);
    void OnEnabledClicked(bool enabled);
    void OnTimeEdited(QComboBox* box, int limit, std::uint8_t TIMERINFO::*stored);
    void OnScreenEdited(QComboBox* box, std::uint8_t TIMERINFO::*stored);
    void Beep();
    static void SelectValue(QComboBox* box, int index, int value, const char* format);

    TimerTable& m_timers;
    int m_nScreenCount;
    IMessageSink& m_messages;
    int m_nCurrent = 0;
    bool m_bSwitching = false;

    QListWidget* m_pList = nullptr;
    QRadioButton* m_pDisable = nullptr;
    QRadioButton* m_pEnable = nullptr;
    QComboBox* m_pDay = nullptr;
    QComboBox* m_pHour = nullptr;
    QComboBox* m_pMinute = nullptr;
    QCheckBox* m_pClose = nullptr;
    QComboBox* m_pFirst = nullptr;
    QComboBox* m_pLast = nullptr;
    QPushButton* m_pSet = nullptr;
    QPushButton* m_pCancel = nullptr;
};
