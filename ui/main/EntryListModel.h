#pragma once

#include "traffic/EntryStore.h"
#include "traffic/TrafficList.h"

#include <QAbstractListModel>

class QAbstractItemView;

#include <string_view>

namespace zephlan {

// A read-only list model over the entries of a list file; entries are kept
// as their Windows-1252 bytes and decoded only when shown.
class EntryListModel final : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit EntryListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex index(int row, int column = 0, const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // Adds the entries in their order, up to the model's row limit; an empty
    // model takes the store over without copying it. Returns how many entries
    // the limit left out.
    std::size_t appendEntries(EntryStore entries);
    // The same for a list read from a file, whose facts are kept beside its entries.
    std::size_t appendList(TrafficList list);
    void setRowLimit(std::size_t limit) { m_rowLimit = limit; }

    std::string_view entryBytes(int row) const;
    // The row of the entry with the most characters; -1 when the model is empty.
    int longestRow() const { return m_longestRow; }
    const EntryStore &store() const { return m_store; }
    const EntryFacts &facts() const { return m_facts; }

private:
    EntryStore m_store;
    EntryFacts m_facts;
    std::size_t m_rowLimit = 0x7fffffff;
    int m_longestRow = -1;
};

// The row a single-selection list has selected; -1 when none is.
int selectedRow(const QAbstractItemView *list);

} // namespace zephlan
