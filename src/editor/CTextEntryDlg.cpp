#include "editor/CTextEntryDlg.h"

#include "app/EditorState.h"
#include "document/CDrawFont.h"
#include "editor/CTextEdit.h"
#include "text/CCodePage.h"
#include "text/CFontCatalogue.h"
#include "text/CFontEngine.h"
#include "text/CLogFont.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kStyleButtonWidth = 25 + 4;   // bitmap size + 4
constexpr int kStyleButtonHeight = 24 + 4;

QToolButton* MakeStyleButton(const QString& letter, QWidget* parent, void (*style)(QFont&))
{
    auto* button = new QToolButton(parent);
    button->setText(letter);
    button->setCheckable(true);
    button->setFixedSize(kStyleButtonWidth, kStyleButtonHeight);
    button->setFocusPolicy(Qt::NoFocus);
    QFont f = button->font();
    f.setPointSize(f.pointSize() + 2);
    style(f);
    button->setFont(f);
    return button;
}

}  // namespace

CTextEntryDlg::CTextEntryDlg(int signWidth, std::vector<FONTENTRY> fonts, QWidget* parent)
    : QDialog(parent), m_aFonts(std::move(fonts))
{
    if (m_aFonts.size() > std::size_t(kMaxFontEntries)) m_aFonts.resize(kMaxFontEntries);
    setWindowTitle(QStringLiteral("Font"));
    setModal(false);
    m_nFontSize = g_nLastFontSize;
    m_nCharSet = g_nLastFontCharset;
    m_szFaceName = g_szLastFontName;
    m_nCurPitch = g_nLastFontCurPitch;
    BuildControls(signWidth);
    SyncControls();
    ShowStyleButtons();
    MakeEditFont();
}

void CTextEntryDlg::BuildControls(int signWidth)
{
    m_pEdit = new CTextEdit(this);
    m_pEdit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_pEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pEdit->setFixedWidth(signWidth + 4);
    m_pEdit->setMinimumHeight(90);

    m_pFace = new QComboBox(this);
    for (const FONTENTRY& e : m_aFonts) {
        const QString face = QString::fromStdString(CFontEngine::FaceNameUtf8(e.m_szFaceName, e.m_nCharSet));
        m_pFace->addItem(QStringLiteral("%1(%2)").arg(face, QString::fromStdString(e.m_szScript)));
    }
    m_pFace->setMaxVisibleItems(20);
    m_pSize = new QComboBox(this);
    for (int i = 0; i <= kMaxFontSize; ++i) m_pSize->addItem(QString::number(i));

    m_pOpaque = new QRadioButton(QStringLiteral("Opaque"), this);
    m_pTransparent = new QRadioButton(QStringLiteral("Transparent"), this);

    m_pBold = MakeStyleButton(QStringLiteral("B"), this, [](QFont& f) { f.setBold(true); });
    m_pItalic = MakeStyleButton(QStringLiteral("I"), this, [](QFont& f) { f.setItalic(true); });
    m_pUnderline = MakeStyleButton(QStringLiteral("U"), this, [](QFont& f) { f.setUnderline(true); });

    m_pOk = new QPushButton(QStringLiteral("OK"), this);
    m_pCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_pOk->setDefault(false);
    m_pOk->setAutoDefault(false);  // Enter makes a new line in the text box
    m_pCancel->setAutoDefault(false);

    auto* styles = new QHBoxLayout;
    styles->setSpacing(7 + 25 - kStyleButtonWidth);  // the next button 7 dots past the bitmap
    styles->addWidget(m_pBold);
    styles->addWidget(m_pItalic);
    styles->addWidget(m_pUnderline);
    styles->addStretch();

    auto* options = new QGridLayout;
    options->addWidget(m_pFace, 0, 0, 1, 3);
    options->addWidget(m_pSize, 1, 0);
    options->addWidget(m_pOpaque, 1, 1);
    options->addWidget(m_pTransparent, 1, 2);
    options->addLayout(styles, 2, 0, 1, 3);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pOk);
    buttons->addStretch();
    buttons->addWidget(m_pCancel);

    // The window is at least W + 21 wide, the text box centred in it.
    auto* editRow = new QHBoxLayout;
    editRow->addStretch();
    editRow->addWidget(m_pEdit);
    editRow->addStretch();

    auto* top = new QVBoxLayout(this);
    top->addLayout(editRow);
    top->addLayout(options);
    top->addLayout(buttons);
    setMinimumWidth(signWidth + 21);

    connect(m_pFace, qOverload<int>(&QComboBox::activated), this, &CTextEntryDlg::OnFaceChosen);
    connect(m_pSize, qOverload<int>(&QComboBox::activated), this, &CTextEntryDlg::OnSizeChosen);
    connect(m_pOpaque, &QRadioButton::clicked, this, [this] { m_nBkMode = 2; MakeEditFont(); });
    connect(m_pTransparent, &QRadioButton::clicked, this, [this] { m_nBkMode = 1; MakeEditFont(); });
    connect(m_pBold, &QToolButton::clicked, this, [this] { OnStyleClicked(m_bBold); });
    connect(m_pItalic, &QToolButton::clicked, this, [this] { OnStyleClicked(m_bItalic); });
    connect(m_pUnderline, &QToolButton::clicked, this, [this] { OnStyleClicked(m_bUnderline); });
    connect(m_pEdit, &CTextEdit::TextPasted, this, &CTextEntryDlg::OnPasted);
    connect(m_pOk, &QPushButton::clicked, this, &CTextEntryDlg::OnOk);
    connect(m_pCancel, &QPushButton::clicked, this, &CTextEntryDlg::OnCancel);
}

int CTextEntryDlg::FindFontEntry() const
{
    return CFontCatalogue::ExactEntry(m_aFonts, m_szFaceName, m_nCharSet);
}

int CTextEntryDlg::FindDrawingFontEntry() const
{
    return CFontCatalogue::DrawingFaceEntry(m_aFonts, m_szFaceName, m_nCharSet);
}

void CTextEntryDlg::SyncControls()
{
    (m_nBkMode == 1 ? m_pTransparent : m_pOpaque)->setChecked(true);
    // A name that is not installed shows the face its text is drawn with, not whatever
    // face happens to come first; the member keeps the stored name until a face is
    // chosen or the entry is accepted.
    const int entry = CFontCatalogue::ShownEntry(m_aFonts, m_szFaceName, m_nCharSet);
    m_pFace->setCurrentIndex(entry);
    if (m_nFontSize < 1 || m_nFontSize > kMaxFontSize) {
        // No usable size: the matched entry's own height.
        m_nFontSize = entry >= 0 ? m_aFonts[std::size_t(entry)].m_nHeight : 0;
        if (m_nFontSize < 0 || m_nFontSize > kMaxFontSize) m_nFontSize = 0;
    }
    m_pSize->setCurrentIndex(m_nFontSize);
}

void CTextEntryDlg::ShowStyleButtons()
{
    m_pBold->setChecked(m_bBold != 0);
    m_pItalic->setChecked(m_bItalic != 0);
    m_pUnderline->setChecked(m_bUnderline != 0);
}

CLogFont CTextEntryDlg::EditLogFont() const
{
    CLogFont logFont;
    logFont.m_nHeight = CLogFont::HeightFromPointSize(m_nFontSize);
    logFont.m_nWeight = m_bBold ? 700 : 400;
    logFont.m_bItalic = m_bItalic != 0;
    logFont.m_bUnderline = m_bUnderline != 0;
    logFont.m_nCharSet = std::uint8_t(m_nCharSet);
    logFont.m_szFaceName = m_szFaceName;
    return logFont;
}

void CTextEntryDlg::MakeEditFont()
{
    // The box shows the text in the face the sign's dots are drawn with, one pixel per
    // dot at the sign's fixed 96 dots per inch, without smoothing.
    const CLogFont logFont = EditLogFont();
    const CResolvedFace face = CFontEngine::Instance().Resolve(logFont);

    QFont font(face.IsValid() ? QString::fromStdString(face.m_szFamily)
                              : QString::fromStdString(CFontEngine::FaceNameUtf8(m_szFaceName, m_nCharSet)));
    if (m_nFontSize > 0) font.setPixelSize(-logFont.m_nHeight);
    font.setBold(m_bBold != 0);
    font.setItalic(m_bItalic != 0);
    font.setUnderline(m_bUnderline != 0);
    font.setStyleStrategy(QFont::NoAntialias);
    m_pEdit->setFont(font);
}

void CTextEntryDlg::NudgeCaret()
{
    m_pEdit->setFocus();
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QCoreApplication::sendEvent(m_pEdit, &right);
}

void CTextEntryDlg::OnFaceChosen(int index)
{
    if (index < 0 || std::size_t(index) >= m_aFonts.size()) return;
    const FONTENTRY& e = m_aFonts[std::size_t(index)];
    m_szFaceName = e.m_szFaceName;
    m_nCharSet = e.m_nCharSet;
    m_nCurPitch = e.m_nPitchAndFamily;
    MakeEditFont();
    NudgeCaret();
}

void CTextEntryDlg::OnSizeChosen(int index)
{
    m_nFontSize = index;
    MakeEditFont();
    NudgeCaret();
}

void CTextEntryDlg::OnStyleClicked(int& flag)
{
    flag = !flag;
    ShowStyleButtons();
    MakeEditFont();
    NudgeCaret();
}

void CTextEntryDlg::OnPasted()
{
    QString text = m_pEdit->toPlainText();
    text.replace(QLatin1Char('\t'), QStringLiteral("    "));
    m_pEdit->setPlainText(text);
    m_pEdit->moveCursor(QTextCursor::End);
    MakeEditFont();
}

std::string CTextEntryDlg::EditTextBytes() const
{
    // Lines end in CR LF in a text object; characters the code page lacks become '?'.
    const int codePage = CCodePage::FromCharSet(m_nCharSet);
    QString text = m_pEdit->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    std::string bytes;
    if (CCodePage::FromUtf8(codePage, text.toStdString(), bytes)) return bytes;
    bytes.clear();
    for (const uint cp : text.toUcs4()) {
        std::string one;
        if (CCodePage::FromUtf8(codePage, QString::fromUcs4(reinterpret_cast<const char32_t*>(&cp), 1).toStdString(), one))
            bytes += one;
        else
            bytes += '?';
    }
    return bytes;
}

void CTextEntryDlg::SetEditText(const std::string& bytes)
{
    std::string utf8;
    QString text = CCodePage::ToUtf8(CCodePage::FromCharSet(m_nCharSet), bytes, utf8)
                       ? QString::fromStdString(utf8)
                       : QString::fromLatin1(bytes.data(), int(bytes.size()));
    text.remove(QLatin1Char('\r'));
    m_pEdit->setPlainText(text);
}

CTextEntryValues CTextEntryDlg::Values() const
{
    CTextEntryValues v;
    v.m_bBold = m_bBold;
    v.m_bItalic = m_bItalic;
    v.m_bUnderline = m_bUnderline;
    v.m_nFontSize = m_nFontSize;
    v.m_nCharSet = std::uint8_t(m_nCharSet);
    v.m_nBkMode = m_nBkMode;
    v.m_szFaceName = m_szFaceName;
    v.m_nCurPitch = m_nCurPitch;
    v.m_strText = EditTextBytes();
    return v;
}

void CTextEntryDlg::ShowOnTop()
{
    // The window is hidden between texts, not destroyed; shown again it must come to the
    // front with the keyboard, or the user types into the canvas behind it.
    show();
    raise();
    activateWindow();
}

void CTextEntryDlg::BeginNewText(CDrawFont* textObj)
{
    m_szFaceName = g_szLastFontName;
    m_nFontSize = g_nLastFontSize;
    m_nCharSet = g_nLastFontCharset;
    m_nCurPitch = g_nLastFontCurPitch;
    m_bBold = m_bItalic = m_bUnderline = 0;
    m_nBkMode = 1;
    ShowStyleButtons();
    ShowOnTop();
    MakeEditFont();
    m_pTextObj = textObj;
    SyncControls();
    m_pEdit->clear();
    m_pEdit->setFocus();
}

void CTextEntryDlg::BeginEdit(CDrawFont* textObj)
{
    m_pTextObj = textObj;
    if (textObj) {
        m_szFaceName = textObj->GetFaceName();
        m_nFontSize = textObj->m_nPointSize;
        m_nCharSet = textObj->m_nCharSet;
        m_nCurPitch = textObj->m_nCurPitch;
        m_bBold = textObj->m_bBold;
        m_bItalic = textObj->m_bItalic;
        m_bUnderline = textObj->m_bUnderline;
        m_nBkMode = textObj->m_nBkMode == 2 ? 2 : 1;
    }
    ShowStyleButtons();
    ShowOnTop();
    MakeEditFont();
    SyncControls();
    SetEditText(textObj ? textObj->m_strRawText : std::string());
    m_pEdit->setFocus();
}

void CTextEntryDlg::OnOk()
{
    m_nFontSize = m_pSize->currentIndex();
    const int entry = m_pFace->currentIndex();
    if (entry >= 0 && std::size_t(entry) < m_aFonts.size()) {
        m_szFaceName = m_aFonts[std::size_t(entry)].m_szFaceName;
        m_nCurPitch = m_aFonts[std::size_t(entry)].m_nPitchAndFamily;
    }
    if (m_pTextObj) m_pTextObj->PrepareText(Values());

    g_nLastFontSize = m_nFontSize;
    if (entry >= 0 && std::size_t(entry) < m_aFonts.size()) {
        g_szLastFontName = m_aFonts[std::size_t(entry)].m_szFaceName;
        g_nLastFontCharset = m_aFonts[std::size_t(entry)].m_nCharSet;
        g_nLastFontCurPitch = m_aFonts[std::size_t(entry)].m_nPitchAndFamily;
    }
    emit TextAccepted(m_pTextObj);
    hide();
    m_pEdit->moveCursor(QTextCursor::Start);
}

void CTextEntryDlg::OnCancel()
{
    emit TextCancelled(m_pTextObj);
    hide();
}
