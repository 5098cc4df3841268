#pragma once
// "Please confirm": which signs (the address string) and which COM port a command talks
// to. Each COM choice also names the device behind it on this machine.

#include <QDialog>

#include <string>
#include <vector>

class CComPortMap;
class CVemtApp;
class IMessageSink;
class IProfile;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class CAddressDlg : public QDialog {
    Q_OBJECT
public:
    // allowEdit is false for commands whose frame always goes to every sign.
    CAddressDlg(CVemtApp& app, IProfile& profile, CComPortMap& ports, IMessageSink& messages, bool allowEdit,
                QWidget* parent = nullptr);
    // machinePorts: the serial devices offered besides the built-in sign.
    CAddressDlg(CVemtApp& app, IProfile& profile, CComPortMap& ports, IMessageSink& messages, bool allowEdit,
                const std::vector<std::string>& machinePorts, QWidget* parent = nullptr);

    // The text of the built-in sign's entry in the device lists.
    static QString VirtualSignText();

    QLineEdit* AddressEdit() const { return m_pAddress; }
    QRadioButton* Com1Radio() const { return m_pCom1; }
    QRadioButton* Com2Radio() const { return m_pCom2; }
    QComboBox* Com1DeviceCombo() const { return m_pDevice1; }
    QComboBox* Com2DeviceCombo() const { return m_pDevice2; }
    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* CancelButton() const { return m_pCancel; }
    QLabel* PromptLabel() const { return m_pPrompt; }
    QLabel* HintLabel() const { return m_pHint; }

private:
    void BuildControls(const std::vector<std::string>& machinePorts);
    void ShowDevice(QComboBox* combo, const std::string& device);
    std::string ChosenDevice(const QComboBox* combo) const;
    void OnOk();

    CVemtApp& m_app;
    IProfile& m_profile;
    CComPortMap& m_ports;
    IMessageSink& m_messages;

    QLabel* m_pPrompt = nullptr;
    QLabel* m_pHint = nullptr;
    QLineEdit* m_pAddress = nullptr;
    QRadioButton* m_pCom1 = nullptr;
    QRadioButton* m_pCom2 = nullptr;
    QComboBox* m_pDevice1 = nullptr;
    QComboBox* m_pDevice2 = nullptr;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pCancel = nullptr;
};
