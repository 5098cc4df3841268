#pragma once
// "Set all screen to": which screen's settings every screen gets.

#include <QDialog>

class QComboBox;
class QPushButton;

class CSetAllScreenDlg : public QDialog {
    Q_OBJECT
public:
    CSetAllScreenDlg(int screenCount, QWidget* parent = nullptr);

    // The chosen screen, from 0.
    int ScreenIndex() const;

    QComboBox* ScreenBox() const { return m_pScreen; }
    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* CancelButton() const { return m_pCancel; }

private:
    QComboBox* m_pScreen = nullptr;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pCancel = nullptr;
};
