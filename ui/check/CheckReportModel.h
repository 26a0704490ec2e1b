#pragma once

#include "core/PlanFileCheck.h"
#include "traffic/FileBytes.h"

#include <QAbstractTableModel>

#include <optional>

namespace zephlan {

// The lines of a checked flight-plans file that have something to say, one
// row each: line number, call sign, airports, period and what is wrong. The
// file's bytes, as read, are kept for the lines, decoded only when shown.
class CheckReportModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { LineColumn, CallSignColumn, AirportsColumn, PeriodColumn, WhatColumn, ColumnCount };

    explicit CheckReportModel(QObject *parent = nullptr);

    // The report of the file read, or of none.
    void setReport(std::optional<FileBytes> file, PlanFileReport report);
    const PlanFileReport &report() const { return m_report; }
    // The whole line of a row, as it stands in the file.
    QString lineText(int row) const;
    std::size_t lineNumber(int row) const;
    // The rows' columns, a tab between two and a line end after each.
    QString rowsAsText(QList<int> rows) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QString cellText(int row, int column) const;

    std::optional<FileBytes> m_file;
    PlanFileReport m_report;
};

} // namespace zephlan
