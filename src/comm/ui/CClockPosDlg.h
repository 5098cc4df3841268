#pragma once
// "Setting X,Y position": where the sign shows its clock (column in 8-dot bytes, row)
// and whether it shows seconds. OK stores the values into the application state.

#include <QDialog>

class CVemtApp;
class QCheckBox;
class QLineEdit;
class QPushButton;

class CClockPosDlg : public QDialog {
    Q_OBJECT
public:
    // The frame carries each position in one byte.
    static constexpr int kMaxPosition = 255;

    explicit CClockPosDlg(CVemtApp& app, QWidget* parent = nullptr);

    QLineEdit* XEdit() const { return m_pX; }
    QLineEdit* YEdit() const { return m_pY; }
    QCheckBox* SecondCheck() const { return m_pSecond; }
    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* CancelButton() const { return m_pCancel; }

public slots:
    void accept() override;

private:
    CVemtApp& m_app;
    QLineEdit* m_pX = nullptr;
    QLineEdit* m_pY = nullptr;
    QCheckBox* m_pSecond = nullptr;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pCancel = nullptr;
};
