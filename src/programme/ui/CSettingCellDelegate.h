#pragma once
// How the settings list draws and edits its cells: every cell framed with its text 2
// pixels in from the left; the drop-down cells edited in place by a list of their
// choices; the append cell ending in a "..." button square, the only part of it that
// reacts to a click.

#include <QStyledItemDelegate>

class CSettingCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CSettingCellDelegate(QObject* parent = nullptr);

    // The button square at the right end of an append cell: as wide as the row is high.
    static QRect ButtonSquare(const QRect& cell);

    // The row whose button is drawn pressed (-1: none).
    void SetPressedRow(int row) { m_nPressedRow = row; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

signals:
    void AppendButtonClicked(int row);

protected:
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

private:
    int m_nPressedRow = -1;
};
