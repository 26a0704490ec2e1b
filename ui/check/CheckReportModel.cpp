#include "ui/check/CheckReportModel.h"

#include "ui/common/Windows1252.h"

#include <algorithm>
#include <array>

namespace zephlan {
namespace {

const std::array<const char *, CheckReportModel::ColumnCount> kHeaders = {"Line", "Call Sign", "Airports", "Period",
                                                                          "What Is Wrong"};

} // namespace

CheckReportModel::CheckReportModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void CheckReportModel::setReport(std::optional<FileBytes> file, PlanFileReport report)
{
    beginResetModel();
    m_file = std::move(file);
    m_report = std::move(report);
    endResetModel();
}

QString CheckReportModel::lineText(int row) const
{
    const ReportedLine &line = m_report.reported.at(static_cast<std::size_t>(row));
    return m_file ? fromWindows1252(m_file->view().substr(line.offset, line.length)) : QString();
}

std::size_t CheckReportModel::lineNumber(int row) const
{
    return m_report.reported.at(static_cast<std::size_t>(row)).number;
}

QString CheckReportModel::rowsAsText(QList<int> rows) const
{
    std::sort(rows.begin(), rows.end());
    QString text;
    for (const int row : rows) {
        for (int column = 0; column < ColumnCount; ++column)
            text += cellText(row, column) + (column + 1 < ColumnCount ? QLatin1Char('\t') : QLatin1Char('\n'));
    }
    return text;
}

int CheckReportModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_report.reported.size());
}

int CheckReportModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString CheckReportModel::cellText(int row, int column) const
{
    const ReportedLine &line = m_report.reported.at(static_cast<std::size_t>(row));
    switch (column) {
    case LineColumn:
        return QString::number(line.number);
    case CallSignColumn:
        return fromWindows1252(line.callSign);
    case AirportsColumn:
        return fromWindows1252(line.airports);
    case PeriodColumn:
        return fromWindows1252(line.period);
    default:
        return fromWindows1252(line.whatIsWrong());
    }
}

QVariant CheckReportModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::DisplayRole)
        return cellText(index.row(), index.column());
    if (role == Qt::ToolTipRole && index.column() == WhatColumn)
        return cellText(index.row(), index.column());
    // A screen reader says something for an empty cell rather than nothing.
    if (role == Qt::AccessibleTextRole) {
        const QString text = cellText(index.row(), index.column());
        return text.isEmpty() ? QStringLiteral("none") : text;
    }
    if (role == Qt::TextAlignmentRole && index.column() == LineColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant CheckReportModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromLatin1(kHeaders[static_cast<std::size_t>(section)]);
}

} // namespace zephlan
