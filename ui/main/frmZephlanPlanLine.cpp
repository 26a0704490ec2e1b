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

// Below the logo and the web address, across the client area, where the form
// has no controls: the warnings, when there are any, above the plan itself.
constexpr int kLineLeft = 60;
constexpr int kWarningsTop = 6060;
constexpr int kPlanTop = 6330;
constexpr int kLineWidth = 10875;
constexpr int kLineHeight = 270;
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

QStringList textsOf(const std::vector<std::string> &lines)
{
    QStringList texts;
    for (const std::string &line : lines)
        texts << fromWindows1252(line);
    return texts;
}

QString warningsText(const PlanSummary &summary)
{
    if (summary.warnings.empty())
        return {};
    return QStringLiteral("\u26A0 ") + textsOf(summary.warnings).join(QStringLiteral(". ")) + QLatin1Char('.');
}

QLabel *makeLine(QWidget *parent, const char *name, int top)
{
    auto *line = new QLabel(parent);
    line->setObjectName(QLatin1String(name));
    line->setGeometry(twipsRect(kLineLeft, top, kLineWidth, kLineHeight));
    line->setFont(dialogFont());
    return line;
}

} // namespace

void frmZephlan::buildPlanLine()
{
    m_lblPlanWarnings = makeLine(centralWidget(), "lblPlanWarnings", kWarningsTop);
    QPalette red = m_lblPlanWarnings->palette();
    red.setColor(QPalette::WindowText, kWarningColour);
    m_lblPlanWarnings->setPalette(red);
    m_lblPlanWarnings->setAccessibleName(QStringLiteral("Plan warnings"));
    m_lblPlanWarnings->hide();
    m_lblPlan = makeLine(centralWidget(), "lblPlan", kPlanTop);
    m_lblPlan->setAccessibleName(QStringLiteral("Plan"));
    m_planWatch = std::make_unique<QObject>();
    QObject *const watch = m_planWatch.get();
    const auto refresh = [this] { refreshPlanLine(); };
    // The search boxes count only through the selections they make.
    // Emptying a typed 00:00:00 leaves the text as it was: the typing is heard of on its own.
    for (MaskedTimeEdit *field : {m_mskDepartureTime, m_mskReturnTime, m_mskDepartTNG, m_mskDestTNG}) {
        connect(field, &QLineEdit::textChanged, watch, refresh);
        connect(field, &MaskedTimeEdit::typedIntoChanged, watch, refresh);
    }
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
    const QString warnings = warningsText(summary);
    const QString plan = fromWindows1252(summary.sentence);
    const QString reasons = textsOf(summary.reasons).join(QLatin1Char('\n'));
    QStringList whole = {warnings, plan, reasons};
    whole.removeAll(QString());
    const QString text = whole.join(QLatin1Char('\n'));
    // A keystroke that changes nothing in the plan costs no repaint.
    if (text == m_planText)
        return;
    m_planText = text;

    m_lblPlanWarnings->setText(m_lblPlanWarnings->fontMetrics().elidedText(warnings, Qt::ElideRight, m_lblPlanWarnings->width()));
    m_lblPlanWarnings->setVisible(!warnings.isEmpty());
    m_lblPlanWarnings->setAccessibleName(QStringLiteral("Plan warnings: ") + warnings);
    m_lblPlan->setText(m_lblPlan->fontMetrics().elidedText(plan, Qt::ElideRight, m_lblPlan->width()));
    m_lblPlan->setAccessibleName(plan.isEmpty() ? QStringLiteral("Plan") : QStringLiteral("Plan: ") + plan);
    m_lblPlan->setAccessibleDescription(reasons);
    for (QLabel *line : {m_lblPlanWarnings, m_lblPlan})
        line->setToolTip(text);
}

} // namespace zephlan
