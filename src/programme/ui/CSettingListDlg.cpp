#include "programme/ui/CSettingListDlg.h"

#include "app/CVemtApp.h"
#include "document/CVemtDoc.h"
#include "programme/CScreenInfoTable.h"
#include "programme/SettingListRows.h"
#include "programme/ui/CAppendModeDlg.h"
#include "programme/ui/CSetAllScreenDlg.h"
#include "programme/ui/CSetColDlg.h"
#include "programme/ui/CSettingCellDelegate.h"
#include "programme/ui/CSettingListModel.h"
#include "programme/ui/SettingsEdit.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// The table every dialog of the list works on; a document without an application gets
// an empty one of its own so that the dialog still opens.
std::vector<SCREENINFO>& TableOf(CVemtDoc& doc)
{
    static std::vector<SCREENINFO> none;
    return doc.m_pApp ? doc.m_pApp->m_aScreenInfo : none;
}

}  // namespace

CSettingListDlg::CSettingListDlg(CVemtDoc& doc, QWidget* parent) : QDialog(parent), m_doc(doc)
{
    setWindowTitle(QStringLiteral("Setting parameters"));

    std::vector<SCREENINFO>& table = TableOf(doc);
    m_pModel = new CSettingListModel(table, this);
    m_pDelegate = new CSettingCellDelegate(this);

    m_pList = new QTableView(this);
    m_pList->setAccessibleName(QStringLiteral("Setting parameters"));
    m_pList->setModel(m_pModel);
    m_pList->setItemDelegate(m_pDelegate);
    // A click opens a drop-down (see OnCellClicked); F2 does the same from the keyboard.
    m_pList->setEditTriggers(QAbstractItemView::EditKeyPressed);
    m_pList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setShowGrid(false);
    m_pList->setSortingEnabled(false);
    m_pList->setWordWrap(false);
    m_pList->verticalHeader()->hide();
    // Fixed row height: room for a line of text and a square "..." button.
    m_pList->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_pList->verticalHeader()->setDefaultSectionSize(m_pList->fontMetrics().height() + 6);
    QHeaderView* header = m_pList->horizontalHeader();
    header->setSectionsClickable(false);
    header->setSectionsMovable(false);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    int listWidth = 0;
    for (int c = 0; c < CSettingListModel::ColumnCount; ++c) {
        m_pList->setColumnWidth(c, kSettingColumns[std::size_t(c)].m_nWidth);
        listWidth += kSettingColumns[std::size_t(c)].m_nWidth;
    }
    m_pList->setMinimumWidth(listWidth + 2 * m_pList->frameWidth() + 20);
    m_pList->setMinimumHeight(200);

    m_pOk = new QPushButton(QStringLiteral("OK"), this);
    m_pCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_pSetRow = new QPushButton(QStringLiteral("SetRow"), this);
    m_pSetCol = new QPushButton(QStringLiteral("SetCol"), this);
    m_pOk->setDefault(true);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_pOk);
    buttons->addWidget(m_pCancel);
    buttons->addSpacing(12);
    buttons->addWidget(m_pSetRow);
    buttons->addWidget(m_pSetCol);
    buttons->addStretch();
    auto* top = new QHBoxLayout(this);
    top->addWidget(m_pList, 1);
    top->addLayout(buttons);

    // A document using no screen releases the table and lists nothing.
    m_nScreens = doc.GetScreenCount();
    CScreenInfoTable(table).ResizeScreenInfoForList(m_nScreens);
    m_pOk->setEnabled(m_nScreens > 0);
    m_pSetRow->setEnabled(m_nScreens > 0);
    m_pSetCol->setEnabled(m_nScreens > 0);
    m_pModel->Reload();

    connect(m_pList, &QAbstractItemView::clicked, this, &CSettingListDlg::OnCellClicked);
    // Enter, Escape and losing the focus all end an in-place edit here; the delegate has
    // written the choice into the list before, unless the edit was cancelled.
    connect(m_pDelegate, &QAbstractItemDelegate::closeEditor, this, &CSettingListDlg::OnSettingsChanged);
    // The append dialog runs after the click has been handled, not inside it.
    connect(m_pDelegate, &CSettingCellDelegate::AppendButtonClicked, this, &CSettingListDlg::OnAppendButton,
            Qt::QueuedConnection);
    connect(m_pOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pSetRow, &QPushButton::clicked, this, &CSettingListDlg::OnSetRow);
    connect(m_pSetCol, &QPushButton::clicked, this, &CSettingListDlg::OnSetCol);
}

CSettingListDlg::~CSettingListDlg() = default;

void CSettingListDlg::OnCellClicked(const QModelIndex& index)
{
    // The append cell reacts only to its button square (see the delegate); the key
    // column not at all.
    if (index.isValid() && CSettingListModel::IsComboColumn(index.column())) {
        m_pList->edit(index);
        if (QWidget* editor = m_pList->indexWidget(index)) editor->setFocus();
    }
}

void CSettingListDlg::OnSettingsChanged()
{
    ApplySettingsEdit(m_doc, [this](std::vector<SCREENINFO>& records) { m_pModel->StoreTo(records); });
}

void CSettingListDlg::OnAppendButton(int row)
{
    std::vector<SCREENINFO>& table = TableOf(m_doc);
    if (row < 0 || row >= int(table.size())) return;
    m_pDelegate->SetPressedRow(row);
    m_pList->viewport()->update();
    CAppendModeDlg dlg(AppendChoiceOf(table[std::size_t(row)]), this);
    const bool accepted = dlg.exec() == QDialog::Accepted;
    m_pDelegate->SetPressedRow(-1);
    if (accepted) {
        // The record takes the dialog's answer, then the list is stored as after any edit:
        // one change.
        const CAppendChoice choice = dlg.Choice();
        ApplySettingsEdit(m_doc, [&](std::vector<SCREENINFO>& records) {
            if (row < int(records.size())) ApplyAppendChoice(records[std::size_t(row)], choice);
            m_pModel->StoreTo(records);
        });
        m_pModel->RefreshAppend(row);
    }
    m_pList->viewport()->update();
}

void CSettingListDlg::OnSetRow()
{
    CSetAllScreenDlg dlg(m_nScreens, this);
    if (dlg.exec() != QDialog::Accepted) return;
    const int src = dlg.ScreenIndex();
    if (src < 0) return;
    const int screens = m_doc.GetScreenCount();
    ApplySettingsEdit(m_doc, [&](std::vector<SCREENINFO>& records) {
        CScreenInfoTable(records).CopyScreenToAll(src, screens);
    });
    m_pModel->Reload();
}

void CSettingListDlg::OnSetCol()
{
    CSetColDlg dlg(m_nScreens, this);
    if (dlg.exec() != QDialog::Accepted) return;
    const int src = dlg.ScreenIndex();
    const int column = dlg.ColumnIndex();
    if (src < 0 || column < 0) return;
    const int screens = m_doc.GetScreenCount();
    ApplySettingsEdit(m_doc, [&](std::vector<SCREENINFO>& records) {
        CScreenInfoTable(records).CopyColumnToAll(src, column, screens);
    });
    m_pModel->Reload();
}

void CSettingListDlg::accept()
{
    // Every edit has been stored already; storing again only changes the table where a
    // code from a file has no name in the list (it becomes 0), and only then is that a
    // change of the document.
    std::vector<SCREENINFO>& table = TableOf(m_doc);
    std::vector<SCREENINFO> stored = table;
    m_pModel->StoreTo(stored);
    const bool changed = !std::equal(stored.begin(), stored.end(), table.begin(), table.end(),
                                     [](const SCREENINFO& a, const SCREENINFO& b) {
                                         return a.byImport == b.byImport && a.byExport == b.byExport &&
                                                a.bySpeed == b.bySpeed;
                                     });
    if (changed) ApplySettingsEdit(m_doc, [this](std::vector<SCREENINFO>& records) { m_pModel->StoreTo(records); });
    QDialog::accept();
}
