#pragma once
// "Timing send...": the user's list of scheduled sends (addresses, document, time of
// day). The list is the application's; it is written to the profile when the dialog is
// left. "Start Timing" ends the dialog with Accepted, "Close" with Rejected.

#include <QDialog>

#include <string>

class CVemtApp;
class IFileDialogs;
class IMessageSink;
class IProfile;
class QLineEdit;
class QListWidget;
class QPushButton;

class CTimingSendDlg : public QDialog {
    Q_OBJECT
public:
    CTimingSendDlg(CVemtApp& app, IProfile& profile, IMessageSink& messages, IFileDialogs& files,
                   QWidget* parent = nullptr);

    QPushButton* AddressButton() const { return m_pAddressButton; }
    QLineEdit* AddressEdit() const { return m_pAddress; }
    QPushButton* BrowseButton() const { return m_pBrowseButton; }
    QLineEdit* FileEdit() const { return m_pFile; }
    QLineEdit* HourEdit() const { return m_pHour; }
    QLineEdit* MinuteEdit() const { return m_pMinute; }
    QListWidget* List() const { return m_pList; }
    QPushButton* AddButton() const { return m_pAdd; }
    QPushButton* DeleteButton() const { return m_pDelete; }
    QPushButton* ModifyButton() const { return m_pModify; }
    QPushButton* StartButton() const { return m_pStart; }
    QPushButton* CloseButton() const { return m_pClose; }

public slots:
    // Escape and the window's close button leave like "Close": the list is kept.
    void reject() override;

private:
    void BuildControls();
    void ShowEntry(int index);
    void OnSelectionChanged();
    void OnAddress();
    void OnBrowse();
    void OnAdd();
    void OnDelete();
    void OnModify();
    void OnClose();
    void OnStartTiming();
    // The three checks of Add and Modify, in order; false after telling the user.
    bool CheckFields();
    int SelectedIndex() const;
    void Select(int index);
    void Prompt(const char* text);

    CVemtApp& m_app;
    IProfile& m_profile;
    IMessageSink& m_messages;
    IFileDialogs& m_files;

    QPushButton* m_pAddressButton = nullptr;
    QLineEdit* m_pAddress = nullptr;
    QPushButton* m_pBrowseButton = nullptr;
    QLineEdit* m_pFile = nullptr;
    QLineEdit* m_pHour = nullptr;
    QLineEdit* m_pMinute = nullptr;
    QListWidget* m_pList = nullptr;
    QPushButton* m_pAdd = nullptr;
    QPushButton* m_pDelete = nullptr;
    QPushButton* m_pModify = nullptr;
    QPushButton* m_pStart = nullptr;
    QPushButton* m_pClose = nullptr;
};
