#pragma once

#include <QStyledItemDelegate>

namespace zephlan {

// Draws the pick lists' rows. The selection keeps the highlight colour when the
// list loses the focus, so the choices stay plain to see while the user goes on;
// every row is as wide as the longest entry, so a list scrolls sideways to show
// it; and a row cut by the list's edge shows whole in a tooltip.
class EntryListDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;
};

} // namespace zephlan
