// The plan line at the foot of the main window: what the chosen plan comes
// to, and what makes it unworkable, updated as the inputs change. It only
// reads the inputs; saving never looks at it.
#include "ui/main/frmZephlan.h"

#include "core/PlanSummary.h"
#include "ui/common/Appearance.h"
#include "ui/common/Windows1252.h"
#include "ui/main/EntryListModel.h"
#include "ui/main/MaskedTimeEdit.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>

namespace zephlan {
namespace {

// Below the logo and the web address, across the client area, where the form has no controls.
constexpr int kLineLeft = 60;
constexpr int kLineTop = 6075;
constexpr int kLineWidth = 10875;
constexpr int kLineHeight = 330;
const QColor kWarningColour(160, 0, 0);

std::optional<GeoPoint> pointOf(const EntryListModel *airports, int row)
{
    if (row < 0)
        return std::nullopt;
    const std::optional<Coordinates> at = airports->facts().position(static_cast<std::size_t>(row));
    if (!at)
        return std::nullopt;
    return GeoPoint{at->latitude, at->longitude};
}

// Warnings lead, after a sign, so that a line too long for the window still shows them.
QString lineText(const PlanSummary &summary)
{
    const QString sentence = fromWindows1252(summary.sentence);
    if (summary.warnings.empty())
        return sentence;
    QStringList warnings;
    for (const std::string &warning : summary.warnings)
        warnings << fromWindows1252(warning);
    QString text = QStringLiteral("\u26A0 ") + warnings.join(QStringLiteral(". ")) + QLatin1Char('.');
    return sentence.isEmpty() ? text : text + QLatin1Char(' ') + sentence;
}

} // namespace

void frmZephlan::buildPlanLine()
{
    m_lblPlan = new QLabel(centralWidget());
    m_lblPlan->setObjectName(QStringLiteral("lblPlan"));
    m_lblPlan->setGeometry(twipsRect(kLineLeft, kLineTop, kLineWidth, kLineHeight));
    m_lblPlan->setFont(dialogFont());
    m_lblPlan->setAccessibleName(QStringLiteral("Plan"));
    m_planColour = m_lblPlan->palette().color(QPalette::WindowText);
    m_planWatch = std::make_unique<QObject>();
    QObject *const watch = m_planWatch.get();
    const auto refresh = [this] { refreshPlanLine(); };
    // The search boxes count only through the selections they make.
    for (MaskedTimeEdit *field : {m_mskDepartureTime, m_mskReturnTime, m_mskDepartTNG, m_mskDestTNG})
        connect(field, &QLineEdit::textChanged, watch, refresh);
    for (QListView *list : {m_lstDeparture, m_lstArrival, m_lstAircraft})
        connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, watch, refresh);
    connect(m_lstDuration, &QListWidget::itemSelectionChanged, watch, refresh);
    for (QCheckBox *box : {m_chkDepartTNG, m_chkDestTNG})
        connect(box, &QCheckBox::toggled, watch, refresh);
}

void frmZephlan::refreshPlanLine()
{
    PlanFacts facts;
    facts.departure = pointOf(m_airports, selectedRow(m_lstDeparture));
    facts.destination = pointOf(m_airports, selectedRow(m_lstArrival));
    if (const int row = selectedRow(m_lstAircraft); row >= 0)
        facts.cruiseKnots = m_aircraft->facts().cruiseSpeed(static_cast<std::size_t>(row));
    const PlanSummary summary = summarisePlan(takeSaveInputs(), facts);
    const QString text = lineText(summary);
    // A keystroke that changes nothing in the plan costs no repaint.
    if (text == m_lblPlan->toolTip())
        return;

    QPalette palette = m_lblPlan->palette();
    palette.setColor(QPalette::WindowText, summary.warnings.empty() ? m_planColour : kWarningColour);
    m_lblPlan->setPalette(palette);
    m_lblPlan->setText(m_lblPlan->fontMetrics().elidedText(text, Qt::ElideRight, m_lblPlan->width()));
    m_lblPlan->setToolTip(text);
    m_lblPlan->setAccessibleName(text.isEmpty() ? QStringLiteral("Plan") : QStringLiteral("Plan: ") + text);
}

} // namespace zephlan
