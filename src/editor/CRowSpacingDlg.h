#pragma once
// "Setting the row spacing": whether a line of text may be cut by a screen boundary,
// whether all text uses one fixed row spacing (and which), or else the spacing for the
// selected text objects. OK stores the editor-wide rules; the caller applies the spacing.

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

class CRowSpacingDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Setting the row spacing";

    // allSame: every selected text object has the spacing `rowPitch`.
    CRowSpacingDlg(bool allSame, int rowPitch, QWidget* parent = nullptr);

    QCheckBox* SpanCheck() const { return m_pSpan; }
    QCheckBox* FixCheck() const { return m_pFix; }
    QLineEdit* FixedEdit() const { return m_pFixed; }
    QLineEdit* SpacingEdit() const { return m_pSpacing; }
    QPushButton* DefaultButton() const { return m_pDefault; }
    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* CancelButton() const { return m_pCancel; }

    // After OK without a fixed spacing: the spacing for the selected objects.
    int ResultSpacing() const { return m_nResult; }

private:
    void OnFixToggled();
    void OnOk();

    QCheckBox* m_pSpan = nullptr;
    QCheckBox* m_pFix = nullptr;
    QLineEdit* m_pFixed = nullptr;
    QLineEdit* m_pSpacing = nullptr;
    QPushButton* m_pDefault = nullptr;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pCancel = nullptr;
    int m_nResult = -1;
};
