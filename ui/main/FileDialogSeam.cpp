#include "ui/main/FileDialogSeam.h"

#include "ui/common/FocusReturn.h"
#include "ui/main/FileNameDialog.h"

#include <QFileInfo>

namespace zephlan {

QList<std::pair<QString, QString>> filterPairs(const QString &pipeFilter)
{
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QList<std::pair<QString, QString>> pairs;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        pairs.append({parts.at(i), parts.at(i + 1)});
    return pairs;
}

QStringList qtNameFilters(const QString &pipeFilter)
{
    QStringList filters;
    for (auto [description, patterns] : filterPairs(pipeFilter)) {
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString bracketed = QLatin1Char('(') + patterns + QLatin1Char(')');
        filters << (description.endsWith(bracketed) ? description
                                                    : description + QLatin1Char(' ') + bracketed);
    }
    return filters;
}

std::optional<QString> QtFileDialogSeam::askOpenPath(QWidget *parent, const QString &filter,
                                                     const QString &proposedName)
{
    return ask(parent, {FileDialogMode::Open, filter, proposedName, m_lastFolder});
}

std::optional<QString> QtFileDialogSeam::askSavePath(QWidget *parent, const QString &filter,
                                                     const QString &proposedName)
{
    return ask(parent, {FileDialogMode::Save, filter, proposedName, m_lastFolder});
}

std::optional<QString> QtFileDialogSeam::ask(QWidget *parent, const FileDialogRequest &request)
{
    const FocusReturn focusReturn(parent);
    std::optional<QString> chosen = askFileName(parent, request);
    if (chosen)
        m_lastFolder = QFileInfo(*chosen).absolutePath();
    return chosen;
}

} // namespace zephlan
