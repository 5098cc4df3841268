#include "programme/ui/CSettingListModel.h"

#include "programme/ScreenCodes.h"
#include "programme/SettingListRows.h"

namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

}  // namespace

CSettingListModel::CSettingListModel(std::vector<SCREENINFO>& records, QObject* parent)
    : QAbstractTableModel(parent), m_aRecords(records)
{
}

void CSettingListModel::Reload()
{
    beginResetModel();
    m_aCells.clear();
    for (const SCREENINFO& rec : m_aRecords) {
        const auto texts = RowCellTexts(rec);
        m_aCells.push_back({QString::fromStdString(texts[0]), QString::fromStdString(texts[1]),
                            QString::fromStdString(texts[2])});
    }
    endResetModel();
}

void CSettingListModel::StoreTo(std::vector<SCREENINFO>& records) const
{
    for (std::size_t row = 0; row < m_aCells.size() && row < records.size(); ++row) {
        const auto& cells = m_aCells[row];
        StoreComboCells(records[row], cells[0].toStdString(), cells[1].toStdString(), cells[2].toStdString());
    }
}

void CSettingListModel::RefreshAppend(int row)
{
    const QModelIndex cell = index(row, ColAppend);
    if (cell.isValid()) emit dataChanged(cell, cell, {Qt::DisplayRole});
}

QStringList CSettingListModel::Choices(int column)
{
    QStringList list;
    if (column == ColImport || column == ColExport)
        for (std::string_view name : kModeNames) list << Q(name);
    else if (column == ColSpeed)
        for (std::string_view name : kSpeedNames) list << Q(name);
    return list;
}

int CSettingListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_aCells.size());
}

int CSettingListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant CSettingListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_aCells.size())) return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::ToolTipRole) return {};
    const auto row = std::size_t(index.row());
    switch (index.column()) {
    case ColKey: return QString::fromStdString(ScreenRowLabel(index.row()));
    case ColImport:
    case ColExport:
    case ColSpeed: return m_aCells[row][std::size_t(index.column() - ColImport)];
    case ColAppend:
        // Always what the table holds now, not a copy taken when the row was made.
        return row < m_aRecords.size() ? QString::fromStdString(FormatAppendText(m_aRecords[row])) : QString();
    default: return {};
    }
}

QVariant CSettingListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount) return {};
    if (role == Qt::DisplayRole) return Q(kSettingColumns[std::size_t(section)].m_szHeader);
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags CSettingListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (IsComboColumn(index.column())) f |= Qt::ItemIsEditable;
    return f;
}

bool CSettingListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !IsComboColumn(index.column())) return false;
    if (index.row() >= int(m_aCells.size())) return false;
    m_aCells[std::size_t(index.row())][std::size_t(index.column() - ColImport)] = value.toString();
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}
