#pragma once
// "Set col": one setting (import, export, speed or the append mode) of one screen given
// to every screen.

#include <QDialog>

class QComboBox;
class QPushButton;

class CSetColDlg : public QDialog {
    Q_OBJECT
public:
    CSetColDlg(int screenCount, QWidget* parent = nullptr);

    // The chosen screen, from 0, and column: 0 import, 1 export, 2 speed, 3 append.
    int ScreenIndex() const;
    int ColumnIndex() const;

    QComboBox* ColumnBox() const { return m_pColumn; }
    QComboBox* ScreenBox() const { return m_pScreen; }
    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* CancelButton() const { return m_pCancel; }

private:
    QComboBox* m_pColumn = nullptr;
    QComboBox* m_pScreen = nullptr;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pCancel = nullptr;
};
