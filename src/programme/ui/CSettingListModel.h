#pragma once
// The settings list's rows: one per screen, with the screen's label, the texts of its
// import, export and speed drop-downs as the list holds them, and its append mode read
// from the settings table whenever it is shown. The drop-down texts go into the table
// only when the list is stored, as the dialog does after every edit.

#include "programme/SCREENINFO.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <array>
#include <vector>

class CSettingListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ColKey = 0, ColImport = 1, ColExport = 2, ColSpeed = 3, ColAppend = 4, ColumnCount = 5 };

    // records: the settings table the rows show; it outlives the model.
    explicit CSettingListModel(std::vector<SCREENINFO>& records, QObject* parent = nullptr);

    // One row per record, the cells written from the table.
    void Reload();
    // The drop-down cells of every row written into the table: each text looked up in
    // its column's choices, a text found nowhere storing code 0.
    void StoreTo(std::vector<SCREENINFO>& records) const;
    // The append cell of a row shows the table again.
    void RefreshAppend(int row);

    // The choices of a drop-down column, in code order; empty for the others.
    static QStringList Choices(int column);
    static bool IsComboColumn(int column) { return column >= ColImport && column <= ColSpeed; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    std::vector<SCREENINFO>& m_aRecords;
    std::vector<std::array<QString, 3>> m_aCells;  // import, export, speed texts per row
};
