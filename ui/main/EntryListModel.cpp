#include "EntryListModel.h"

#include "Windows1252.h"

#include <algorithm>

namespace zephlan {

std::string_view EntryStore::at(std::size_t index) const
{
    const std::uint64_t begin = index == 0 ? 0 : m_ends[index - 1];
    return std::string_view(m_bytes).substr(begin, m_ends[index] - begin);
}

void EntryStore::append(std::string_view entry)
{
    m_bytes.append(entry);
    m_ends.push_back(m_bytes.size());
}

void EntryStore::reserveMore(std::size_t entries, std::size_t bytes)
{
    m_ends.reserve(m_ends.size() + entries);
    m_bytes.reserve(m_bytes.size() + bytes);
}

EntryListModel::EntryListModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

int EntryListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_store.size());
}

QVariant EntryListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole)
        return {};
    return fromWindows1252(m_store.at(static_cast<std::size_t>(index.row())));
}

void EntryListModel::appendEntries(const std::vector<std::string> &entries)
{
    const std::size_t room = m_rowLimit > m_store.size() ? m_rowLimit - m_store.size() : 0;
    const std::size_t count = std::min(entries.size(), room);
    if (count == 0)
        return;
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < count; ++i)
        bytes += entries[i].size();
    const int first = rowCount();
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(count) - 1);
    m_store.reserveMore(count, bytes);
    for (std::size_t i = 0; i < count; ++i)
        m_store.append(entries[i]);
    endInsertRows();
}

std::string_view EntryListModel::entryBytes(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    return m_store.at(static_cast<std::size_t>(row));
}

} // namespace zephlan
