#include "programme/ui/CSettingCellDelegate.h"

#include "programme/ui/CSettingListModel.h"

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

CSettingCellDelegate::CSettingCellDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

QRect CSettingCellDelegate::ButtonSquare(const QRect& cell)
{
    const int side = cell.height();
    return QRect(cell.right() + 1 - side, cell.top(), side, side);
}

void CSettingCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const
{
    painter->save();
    const QPalette& pal = option.palette;
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    painter->fillRect(option.rect, selected ? pal.highlight() : pal.base());

    QRect textRect = option.rect;
    const bool button = index.column() == CSettingListModel::ColAppend;
    if (button) textRect.setRight(ButtonSquare(option.rect).left() - 1);

    painter->setPen(pal.color(QPalette::Mid));
    painter->drawRect(option.rect.adjusted(0, 0, -1, -1));

    // Single line, 2 pixels from the left and 1 below the top, vertically centred.
    const QRect inner = textRect.adjusted(2, 1, -2, 0);
    const QString text = painter->fontMetrics().elidedText(index.data().toString(), Qt::ElideRight, inner.width());
    painter->setPen(selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text));
    painter->drawText(inner, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);

    if (button) {
        QStyleOptionButton opt;
        opt.rect = ButtonSquare(option.rect);
        opt.text = QStringLiteral("...");
        opt.palette = pal;
        opt.state = QStyle::State_Enabled |
                    (index.row() == m_nPressedRow ? QStyle::State_Sunken : QStyle::State_Raised);
        QStyle* style = option.widget ? option.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_PushButton, &opt, painter, option.widget);
    }
    painter->restore();
}

QWidget* CSettingCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                            const QModelIndex& index) const
{
    if (!CSettingListModel::IsComboColumn(index.column())) return nullptr;
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QStringLiteral("InPlaceCombo"));
    combo->addItems(CSettingListModel::Choices(index.column()));
    // Every choice visible at once, as a list hanging below the cell.
    combo->setMaxVisibleItems(combo->count());
    combo->setFocusPolicy(Qt::StrongFocus);
    return combo;
}

void CSettingCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* combo = qobject_cast<QComboBox*>(editor);
    if (!combo) return;
    const int at = combo->findText(index.data(Qt::EditRole).toString(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    combo->setCurrentIndex(at);
}

void CSettingCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    auto* combo = qobject_cast<QComboBox*>(editor);
    if (!combo || combo->currentIndex() < 0) return;
    model->setData(index, combo->currentText(), Qt::EditRole);
}

void CSettingCellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                                const QModelIndex&) const
{
    editor->setGeometry(option.rect);
}

bool CSettingCellDelegate::editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                                       const QModelIndex& index)
{
    if (index.column() == CSettingListModel::ColAppend &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease ||
         event->type() == QEvent::MouseButtonDblClick)) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && ButtonSquare(option.rect).contains(mouse->position().toPoint())) {
            if (event->type() == QEvent::MouseButtonRelease) emit AppendButtonClicked(index.row());
            return true;
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}
