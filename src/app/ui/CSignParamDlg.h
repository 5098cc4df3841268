#pragma once
// "Set parameter of LED Lextrel": asks for the sign's parameters at every start.

#include "app/CSignParamForm.h"

#include <QDialog>

#include <string>

class CVemtApp;
class IMessageSink;
class IProfile;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class CSignParamDlg : public QDialog {
    Q_OBJECT
public:
    CSignParamDlg(CVemtApp& app, IProfile& profile, IMessageSink& messages,
                  std::string vemtIniPath, QWidget* parent = nullptr);

    const CSignParamForm& Form() const { return m_form; }

    // The controls, by their captions, for the widget tests.
    QRadioButton* SingleColorRadio() const { return m_pSingle; }
    QRadioButton* DoubleColorRadio() const { return m_pDouble; }
    QRadioButton* ScaleColorRadio() const { return m_pScale; }
    QRadioButton* Mode232Radio() const { return m_p232; }
    QRadioButton* Mode422Radio() const { return m_p422; }
    QLineEdit* WidthEdit() const { return m_pWidth; }
    QLineEdit* HeightEdit() const { return m_pHeight; }
    QLineEdit* NumberEdit() const { return m_pNumber; }
    QComboBox* VersionCombo() const { return m_pVersion; }
    QLabel* MaxLabel() const { return m_pMaxLabel; }
    QPushButton* SetButton() const { return m_pSet; }
    QPushButton* HelpButton() const { return m_pHelp; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void ShowValues();
    void OnColorClicked(int colorCount);
    void OnWidthChanged();
    void OnHeightChanged();
    void OnVersionChosen(int index);
    void OnSet();
    void OnHelp();
    void ReadFields();
    void RecomputeAndShow();
    void Refuse(const CSignParamForm::Refusal& refusal);
    QLineEdit* EditOf(CSignParamForm::Field field) const;

    CVemtApp& m_app;
    IProfile& m_profile;
    IMessageSink& m_messages;
    std::string m_szVemtIniPath;
    CSignParamForm m_form;
    bool m_bPrompting = false;
    bool m_bWidthPromptPending = false;

    QRadioButton* m_pSingle = nullptr;
    QRadioButton* m_pDouble = nullptr;
    QRadioButton* m_pScale = nullptr;
    QRadioButton* m_p232 = nullptr;
    QRadioButton* m_p422 = nullptr;
    QButtonGroup* m_pModeGroup = nullptr;
    QLineEdit* m_pWidth = nullptr;
    QLineEdit* m_pHeight = nullptr;
    QLineEdit* m_pNumber = nullptr;
    QComboBox* m_pVersion = nullptr;
    QLabel* m_pMaxLabel = nullptr;
    QPushButton* m_pSet = nullptr;
    QPushButton* m_pHelp = nullptr;
};
