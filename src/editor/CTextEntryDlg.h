#pragma once
// "Font": the modeless window in which the user types the text of a text object and
// chooses its face, size, style and background. It is made once and shown again for
// every new or edited text; "OK" and "Cancel" tell the view through signals.

#include "text/FONTENTRY.h"

#include <QDialog>

#include <string>
#include <vector>

class CDrawFont;
class CTextEdit;
class QComboBox;
class QPushButton;
class QRadioButton;
class QToolButton;
struct CLogFont;
struct CTextEntryValues;

class CTextEntryDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxFontEntries = 499;
    static constexpr int kMaxFontSize = 80;

    // signWidth: the sign's width in dots; the text box is made that wide (+ 4) so typed
    // lines wrap about where the sign's lines will.
    CTextEntryDlg(int signWidth, std::vector<FONTENTRY> fonts, QWidget* parent = nullptr);

    // The character tool's new text: the text defaults, no style, transparent, empty.
    void BeginNewText(CDrawFont* textObj);
    // Editing an existing text object: its font and typed text.
    void BeginEdit(CDrawFont* textObj);

    // The window's members as a text object takes them.
    CTextEntryValues Values() const;

    // First entry with exactly this face name and character set; -1 when none.
    int FindFontEntry() const;
    // For a face name that is not installed: the first entry of the installed face that
    // draws it, with this character set; -1 when that face has no such entry.
    int FindDrawingFontEntry() const;
    // Shows the members in the controls.
    void SyncControls();

    // Members the text object reads when an entry is accepted.
    CDrawFont* m_pTextObj = nullptr;
    int m_bBold = 0;
    int m_bItalic = 0;
    int m_bUnderline = 0;
    int m_nFontSize = 0;
    int m_nCharSet = 0;
    int m_nBkMode = 1;
    std::string m_szFaceName;
    int m_nCurPitch = 0;

    const std::vector<FONTENTRY>& FontEntries() const { return m_aFonts; }
    CTextEdit* TextEdit() const { return m_pEdit; }
    QComboBox* FaceList() const { return m_pFace; }
    QComboBox* SizeList() const { return m_pSize; }
    QRadioButton* OpaqueRadio() const { return m_pOpaque; }
    QRadioButton* TransparentRadio() const { return m_pTransparent; }
    QToolButton* BoldButton() const { return m_pBold; }
    QToolButton* ItalicButton() const { return m_pItalic; }
    QToolButton* UnderlineButton() const { return m_pUnderline; }
    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* CancelButton() const { return m_pCancel; }

signals:
    void TextAccepted(CDrawFont* textObj);
    void TextCancelled(CDrawFont* textObj);

private:
    void ShowOnTop();
    void BuildControls(int signWidth);
    void MakeEditFont();
    CLogFont EditLogFont() const;
    void ShowStyleButtons();
    void OnFaceChosen(int index);
    void OnSizeChosen(int index);
    void OnStyleClicked(int& flag);
    void OnPasted();
    void OnOk();
    void OnCancel();
    void NudgeCaret();
    void SetEditText(const std::string& bytes);
    std::string EditTextBytes() const;

    std::vector<FONTENTRY> m_aFonts;
    CTextEdit* m_pEdit = nullptr;
    QComboBox* m_pFace = nullptr;
    QComboBox* m_pSize = nullptr;
    QRadioButton* m_pOpaque = nullptr;
    QRadioButton* m_pTransparent = nullptr;
    QToolButton* m_pBold = nullptr;
    QToolButton* m_pItalic = nullptr;
    QToolButton* m_pUnderline = nullptr;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pCancel = nullptr;
};
