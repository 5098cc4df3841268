#pragma once
// "Setting parameters": one row per screen of the document with how it enters, leaves,
// how fast and how it is held, each cell edited in place, plus the two bulk copies
// "SetRow" and "SetCol". Every edit goes straight into the application's settings
// table and marks the document modified, so "Cancel" only closes the window.

#include <QDialog>

class CSettingCellDelegate;
class CSettingListModel;
class CVemtDoc;
class QPushButton;
class QTableView;

class CSettingListDlg : public QDialog {
    Q_OBJECT
public:
    // doc: the document whose screens are listed; its application holds the table.
    explicit CSettingListDlg(CVemtDoc& doc, QWidget* parent = nullptr);
    ~CSettingListDlg() override;

    QTableView* List() const { return m_pList; }
    CSettingListModel* Model() const { return m_pModel; }
    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* CancelButton() const { return m_pCancel; }
    QPushButton* SetRowButton() const { return m_pSetRow; }
    QPushButton* SetColButton() const { return m_pSetCol; }

    void accept() override;

private:
    void OnCellClicked(const QModelIndex& index);
    // After every in-place edit, cancelled or not: the list is stored and the document
    // marked modified.
    void OnSettingsChanged();
    void OnAppendButton(int row);
    void OnSetRow();
    void OnSetCol();

    CVemtDoc& m_doc;
    int m_nScreens = 0;
    CSettingListModel* m_pModel = nullptr;
    CSettingCellDelegate* m_pDelegate = nullptr;
    QTableView* m_pList = nullptr;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pCancel = nullptr;
    QPushButton* m_pSetRow = nullptr;
    QPushButton* m_pSetCol = nullptr;
};
