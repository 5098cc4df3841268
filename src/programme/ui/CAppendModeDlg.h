#pragma once
// "Append Mode": what a screen does while it is held (flicker, pause, continuum, time,
// quiescence, cartoon), the pause time and the cartoon.

#include "programme/SettingListRows.h"

#include <QDialog>

#include <array>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class CAppendModeDlg : public QDialog {
    Q_OBJECT
public:
    // Opens with the record's values; Choice() holds the answer after "OK".
    explicit CAppendModeDlg(const CAppendChoice& choice, QWidget* parent = nullptr);

    const CAppendChoice& Choice() const { return m_choice; }

    // The controls, for the widget tests. Check boxes in the order of their flags:
    // Flicker, Pause, Continuum, Time, Quiescence, Cartoon.
    QCheckBox* CheckBox(std::uint8_t flag) const;
    QLineEdit* PauseEdit() const { return m_pPause; }
    // "Eat bean" .. "Horse", by cartoon number.
    QRadioButton* CartoonRadio(int number) const { return m_aCartoons.at(std::size_t(number)); }
    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* CancelButton() const { return m_pCancel; }

    void accept() override;

private:
    void ShowCartoonRadios(bool enabled);

    CAppendChoice m_choice;
    std::array<QCheckBox*, 6> m_aChecks {};
    QLineEdit* m_pPause = nullptr;
    std::array<QRadioButton*, 5> m_aCartoons {};
    QButtonGroup* m_pCartoonGroup = nullptr;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pCancel = nullptr;
};
