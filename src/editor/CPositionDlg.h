#pragma once
// "Designate start position": the start (x, y) and size (width, height) typed for the
// selected objects, each field used only while the check box to its right is ticked.
// "Apply" sets them and keeps the dialog open; "OK" sets them and closes.

#include "editor/align/PositionApply.h"
#include "raster/Geometry.h"

#include <QDialog>

#include <functional>
#include <optional>

class QCheckBox;
class QLineEdit;
class QPushButton;

class CPositionDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Designate start position";

    // `single`: the one selected object's normalised rectangle, which fills the fields;
    // none when more are selected. `apply` runs for Apply and OK with the fields' values.
    CPositionDlg(std::optional<CRect> single, std::function<void(const CPositionValues&)> apply,
                 QWidget* parent = nullptr);

    // The fields, check boxes and buttons, in the order X, Y, Width, Height.
    QLineEdit* Edit(int i) const { return m_pEdits[i]; }
    QCheckBox* Check(int i) const { return m_pChecks[i]; }
    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* ApplyButton() const { return m_pApply; }
    QPushButton* CancelButton() const { return m_pCancel; }

    CPositionValues Values() const;

private:
    void OnCheckClicked(int i);
    void OnEditChanged();
    void SetButtonsEnabled(bool enabled);
    void OnApply();
    void OnOk();

    QLineEdit* m_pEdits[4] = {};
    QCheckBox* m_pChecks[4] = {};
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pApply = nullptr;
    QPushButton* m_pCancel = nullptr;
    std::function<void(const CPositionValues&)> m_fnApply;
};
