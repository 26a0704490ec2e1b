#include "ui/main/EntryListModel.h"

#include "ui/common/Windows1252.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>

#include <algorithm>
#include <utility>

namespace zephlan {

EntryListModel::EntryListModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

int EntryListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_store.size());
}

// A view lays a list out by asking for every row's index, twice: answered here
// without the calls through rowCount and columnCount that the default makes.
QModelIndex EntryListModel::index(int row, int column, const QModelIndex &parent) const
{
    if (row < 0 || column != 0 || parent.isValid() || static_cast<std::size_t>(row) >= m_store.size())
        return {};
    return createIndex(row, column);
}

QVariant EntryListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole)
        return {};
    return fromWindows1252(m_store.at(static_cast<std::size_t>(index.row())));
}

std::size_t EntryListModel::appendEntries(EntryStore entries)
{
    const std::size_t room = m_rowLimit > m_store.size() ? m_rowLimit - m_store.size() : 0;
    const std::size_t count = std::min(entries.size(), room);
    const std::size_t leftOut = entries.size() - count;
    if (count == 0)
        return leftOut;
    const int first = rowCount();
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(count) - 1);
    if (m_store.empty()) {
        entries.truncate(count);
        m_store = std::move(entries);
    } else {
        for (std::size_t i = 0; i < count; ++i)
            m_store.append(entries.at(i));
    }
    for (std::size_t row = static_cast<std::size_t>(first); row < m_store.size(); ++row) {
        if (m_longestRow < 0 || m_store.at(row).size() > m_store.at(static_cast<std::size_t>(m_longestRow)).size())
            m_longestRow = static_cast<int>(row);
    }
    endInsertRows();
    return leftOut;
}

std::size_t EntryListModel::appendList(TrafficList list)
{
    const std::size_t first = m_store.size();
    const std::size_t leftOut = appendEntries(std::move(list.entries));
    const std::size_t added = m_store.size() - first;
    if (first == 0) {
        m_facts = std::move(list.facts);
        m_facts.truncate(added);
    } else {
        m_facts.copyFrom(list.facts, 0, added, first);
    }
    return leftOut;
}

std::string_view EntryListModel::entryBytes(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    return m_store.at(static_cast<std::size_t>(row));
}

int selectedRow(const QAbstractItemView *list)
{
    const QModelIndexList rows = list->selectionModel()->selectedIndexes();
    return rows.isEmpty() ? -1 : rows.first().row();
}

} // namespace zephlan
