#pragma once

#include <QAbstractListModel>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zephlan {

// List entries kept as their Windows-1252 bytes, end to end in one buffer,
// so that a million airport codes cost a few bytes each.
class EntryStore
{
public:
    std::size_t size() const { return m_ends.size(); }
    std::string_view at(std::size_t index) const;
    void append(std::string_view entry);
    void reserveMore(std::size_t entries, std::size_t bytes);

private:
    std::string m_bytes;
    std::vector<std::uint64_t> m_ends;
};

// A read-only list model over an EntryStore; entries are decoded only when shown.
class EntryListModel final : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit EntryListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // Appends in the given order, up to the model's row limit.
    void appendEntries(const std::vector<std::string> &entries);
    void setRowLimit(std::size_t limit) { m_rowLimit = limit; }

    std::string_view entryBytes(int row) const;
    const EntryStore &store() const { return m_store; }

private:
    EntryStore m_store;
    std::size_t m_rowLimit = 0x7fffffff;
};

} // namespace zephlan
