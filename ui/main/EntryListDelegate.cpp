#include "ui/main/EntryListDelegate.h"

#include "ui/main/EntryListModel.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

namespace zephlan {

void EntryListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem shown = option;
    if (shown.state & QStyle::State_Selected) {
        shown.state |= QStyle::State_Active;
        shown.palette.setCurrentColorGroup(QPalette::Active);
    }
    QStyledItemDelegate::paint(painter, shown, index);
}

// A list of uniform rows asks for the first row's size only: it gets the longest entry's.
QSize EntryListDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const auto *entries = qobject_cast<const EntryListModel *>(index.model());
    if (entries == nullptr || entries->longestRow() < 0)
        return QStyledItemDelegate::sizeHint(option, index);
    return QStyledItemDelegate::sizeHint(option, entries->index(entries->longestRow()));
}

bool EntryListDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                                  const QModelIndex &index)
{
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const QString text = index.data().toString();
    const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    const int right = option.rect.left() + option.fontMetrics.horizontalAdvance(text) + 2 * margin;
    if (option.rect.left() < 0 || right > view->viewport()->width())
        QToolTip::showText(event->globalPos(), text, view->viewport(), option.rect);
    else
        QToolTip::hideText();
    return true;
}

} // namespace zephlan
