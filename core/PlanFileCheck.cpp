#include "core/PlanFileCheck.h"

#include "core/NumberText.h"
#include "core/PlanFileLines.h"
#include "core/Schedule.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>
#include <unordered_map>

namespace zephlan {
namespace {

// A call sign names at most this many other lines it stands on.
constexpr std::size_t kOtherLinesNamed = 5;

constexpr std::string_view kArrow = " -> ";

bool allDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Digits as a number; more than nine digits count as too large for anything.
std::size_t numberOf(std::string_view digits)
{
    if (digits.size() > 9)
        return std::numeric_limits<std::size_t>::max();
    std::size_t value = 0;
    for (const char digit : digits)
        value = value * 10 + static_cast<std::size_t>(digit - '0');
    return value;
}

std::string inQuotes(std::string_view text)
{
    std::string out(1, '"');
    out.append(text);
    out.push_back('"');
    return out;
}

std::string legName(std::size_t leg)
{
    return "leg " + std::to_string(leg + 1);
}

std::string grouped(std::size_t value)
{
    return groupedNumber(static_cast<long long>(value));
}

std::string counted(std::size_t count, const char *one, const char *many)
{
    return grouped(count) + ' ' + (count == 1 ? one : many);
}

ReportedLine rowAt(std::size_t number, std::size_t offset, std::size_t length)
{
    ReportedLine row;
    row.number = number;
    row.offset = offset;
    row.length = length;
    return row;
}

struct LegFields
{
    std::string_view time, arrival, level, atcId, flightNumber, airport;
};

LegFields legFields(const std::vector<std::string_view> &fields, std::size_t leg)
{
    const std::size_t at = kPlanHeadFields + leg * kLegFields;
    return {fields[at], fields[at + 1], fields[at + 2], fields[at + 3], fields[at + 4], fields[at + 5]};
}

// The columns of a plan line's row besides what is wrong.
void describePlan(const std::vector<std::string_view> &fields, ReportedLine &row)
{
    const std::size_t legs = *legCount(fields.size());
    row.callSign = fields[1];
    row.period = fields[3];
    row.airports = legFields(fields, legs - 1).airport;
    for (std::size_t leg = 0; leg < legs; ++leg)
        row.airports.append(kArrow).append(legFields(fields, leg).airport);
}

// Each code looked up in the lists once a check: a file names the same
// airports on many lines. The codes are views into the file's bytes.
class AirportMemo
{
public:
    explicit AirportMemo(const PlanCheckLists &lists) : m_lists(lists) {}

    const ListedAirport &find(std::string_view code)
    {
        const auto [at, added] = m_found.try_emplace(code);
        if (added)
            at->second = m_lists.airport(code);
        return at->second;
    }

private:
    const PlanCheckLists &m_lists;
    std::unordered_map<std::string_view, ListedAirport> m_found;
};

// The timing of one leg, and whether its times carry days.
struct LegTiming
{
    ScheduledLeg timing;
    bool hasDay = false;
    bool hasClockOnly = false;
    // It lasts its flying time rather than until a time of its own.
    bool worked = false;
};

class PlanChecker
{
public:
    PlanChecker(const PlanCheckLists &lists, AirportMemo &airports, const std::vector<std::string_view> &fields,
                ReportedLine &row)
        : m_lists(lists)
        , m_airports(airports)
        , m_fields(fields)
        , m_row(row)
        , m_legs(*legCount(fields.size()))
        , m_period(repeatPeriodMinutes(fields[3]))
    {
    }

    void run()
    {
        checkHead();
        std::vector<LegTiming> timings(m_legs);
        std::vector<ListedAirport> airports;
        for (std::size_t leg = 0; leg < m_legs; ++leg)
            airports.push_back(checkLeg(leg, timings[leg]));
        for (std::size_t leg = 0; leg < m_legs; ++leg) {
            if (timings[leg].worked)
                timings[leg].timing.minutes =
                    flyingMinutes(airports[(leg + m_legs - 1) % m_legs].position, airports[leg].position, knots());
        }
        if (m_period)
            checkSchedule(timings);
    }

private:
    void add(FindingKind kind, std::string text) { m_row.findings.push_back({kind, std::move(text)}); }
    void problem(std::string text) { add(FindingKind::Problem, std::move(text)); }

    void checkHead()
    {
        const std::string_view aircraft = m_fields[0];
        if (!aircraft.starts_with("AC#") || !allDigits(aircraft.substr(3))) {
            problem("aircraft " + inQuotes(aircraft) + " is not AC# and a number");
        } else {
            m_aircraftNumber = numberOf(aircraft.substr(3));
            const std::size_t listed = m_lists.aircraftCount();
            if (m_aircraftNumber == 0)
                problem("AC#0: aircraft are counted from 1");
            else if (listed > 0 && m_aircraftNumber > listed)
                problem(std::string(aircraft) + " is beyond the " + counted(listed, "aircraft", "aircraft")
                        + " of the aircraft list");
        }
        if (m_fields[1].empty())
            problem("no call sign");
        const std::string_view percent = m_fields[2];
        const std::string_view digits = percent.substr(0, percent.empty() ? 0 : percent.size() - 1);
        if (!percent.ends_with('%') || !allDigits(digits) || numberOf(digits) < 1 || numberOf(digits) > 100)
            problem("percentage " + inQuotes(percent) + " is not 1% to 100%");
        if (!m_period)
            problem("period " + inQuotes(m_fields[3]) + " is none of " + repeatPeriodNames());
        if (m_fields[4] != "IFR" && m_fields[4] != "VFR")
            problem("flight rules " + inQuotes(m_fields[4]) + " are neither IFR nor VFR");
    }

    // A time the schedule can count with; a form this check cannot vouch for
    // says so. A time that counts marks the leg's times as with or without days.
    std::optional<int> usableTime(const std::string &field, FieldTime time, bool dayAllowed, LegTiming *timing)
    {
        switch (time.form) {
        case FieldTime::Form::Clock:
            if (timing)
                timing->hasClockOnly = true;
            return time.minutes;
        case FieldTime::Form::DayAndClock:
            if (dayAllowed && m_period == kWeekMinutes) {
                if (timing)
                    timing->hasDay = true;
                return time.minutes;
            }
            add(FindingKind::NotChecked, field + ": a day before the time of "
                                             + (dayAllowed ? "a " + std::string(m_fields[3]) + " plan" : "a touch-and-go")
                                             + " is not checked");
            return std::nullopt;
        case FieldTime::Form::OtherDay:
            add(FindingKind::NotChecked, field + ": a day other than 0 to 6 is not checked");
            return std::nullopt;
        case FieldTime::Form::NotATime:
            break;
        }
        return std::nullopt;
    }

    ListedAirport checkLeg(std::size_t leg, LegTiming &timing)
    {
        const LegFields fields = legFields(m_fields, leg);
        const std::string name = legName(leg);
        const FieldTime leaves = readFieldTime(fields.time);
        const std::string departureField = name + " departure time " + inQuotes(fields.time);
        if (leaves.form == FieldTime::Form::NotATime)
            problem(departureField + " is not a time of day");
        timing.timing.leaves = usableTime(departureField, leaves, true, &timing);

        const FieldArrival arrival = readFieldArrival(fields.arrival);
        const std::string arrivalField = name + " arrival " + inQuotes(fields.arrival);
        if (arrival.form == FieldArrival::Form::NotAnArrival)
            problem(arrivalField + " is not a time of day, TNG and a time, or @ and a time");
        const bool ending = arrival.form == FieldArrival::Form::TouchAndGo || arrival.form == FieldArrival::Form::Fixed;
        timing.worked = arrival.form == FieldArrival::Form::Worked;
        const std::optional<int> ends = usableTime(arrivalField, arrival.time,
                                                   arrival.form != FieldArrival::Form::TouchAndGo,
                                                   ending ? &timing : nullptr);
        if (ending && ends && timing.timing.leaves && m_period)
            timing.timing.minutes = minutesUntil(*timing.timing.leaves, *ends, *m_period);

        if (!allDigits(fields.level))
            problem(name + " flight level " + inQuotes(fields.level) + " is not digits");
        if (fields.atcId != "R" && fields.atcId != "F")
            problem(name + " ATC ID " + inQuotes(fields.atcId) + " is neither R nor F");
        if (!allDigits(fields.flightNumber))
            problem(name + " flight number " + inQuotes(fields.flightNumber) + " is not digits");
        return airport(leg, fields.airport);
    }

    ListedAirport airport(std::size_t leg, std::string_view code)
    {
        if (code.empty()) {
            problem(legName(leg) + " has no airport");
            return {};
        }
        if (!m_lists.hasAirports())
            return {};
        const ListedAirport &found = m_airports.find(code);
        if (found.listed)
            return found;
        if (found.listedAs.empty())
            problem(legName(leg) + " airport " + inQuotes(code) + " is not in the airports list");
        else
            problem(legName(leg) + " airport " + inQuotes(code) + " is in the airports list only as "
                    + inQuotes(found.listedAs));
        return {};
    }

    std::optional<int> knots() const
    {
        const std::size_t listed = m_lists.aircraftCount();
        if (m_aircraftNumber == 0 || m_aircraftNumber > listed)
            return std::nullopt;
        return m_lists.cruiseKnots(m_aircraftNumber);
    }

    void checkSchedule(const std::vector<LegTiming> &timings)
    {
        const bool days = std::any_of(timings.begin(), timings.end(), [](const LegTiming &t) { return t.hasDay; });
        const bool clocks =
            std::any_of(timings.begin(), timings.end(), [](const LegTiming &t) { return t.hasClockOnly; });
        if (days && clocks) {
            add(FindingKind::NotChecked, "schedule not checked: some of its times carry a day and some do not");
            return;
        }
        std::vector<ScheduledLeg> legs;
        legs.reserve(timings.size());
        for (const LegTiming &timing : timings)
            legs.push_back(timing.timing);
        for (const ScheduleFinding &finding : findScheduleClashes(*m_period, legs))
            problem(scheduleText(finding));
    }

    std::string scheduleText(const ScheduleFinding &finding) const
    {
        const std::string length = durationText(finding.minutes);
        switch (finding.clash) {
        case ScheduleClash::LeavesBeforeArrival:
            return legName(finding.leg) + " leaves " + length + " before " + legName(finding.leg - 1) + " has ended";
        case ScheduleClash::BackAfterNextStart:
            return legName(finding.leg) + " ends " + length + " after "
                + (finding.leg == 0 ? std::string("it") : legName(0)) + " leaves again";
        case ScheduleClash::LongerThanPeriod:
            break;
        }
        return (m_legs == 1 ? "the leg takes " : "the legs take ") + length + (m_legs == 1 ? "" : " together")
            + ", longer than the " + std::string(m_fields[3]) + " period";
    }

    const PlanCheckLists &m_lists;
    AirportMemo &m_airports;
    const std::vector<std::string_view> &m_fields;
    ReportedLine &m_row;
    std::size_t m_legs;
    std::optional<int> m_period;
    std::size_t m_aircraftNumber = 0;
};

// A plan line's call sign, kept to find those on more than one line.
struct CallSignAt
{
    std::string_view callSign;
    std::size_t line;
    std::size_t offset;
    std::size_t length;
};

std::string otherLinesText(std::span<const CallSignAt> group, std::size_t self)
{
    std::vector<std::size_t> others;
    for (const CallSignAt &at : group) {
        if (at.line != self)
            others.push_back(at.line);
    }
    const std::size_t named = std::min(others.size(), kOtherLinesNamed);
    std::string text = "call sign " + std::string(group.front().callSign) + " is also on "
        + (others.size() == 1 ? "line " : "lines ");
    for (std::size_t i = 0; i < named; ++i) {
        if (i > 0)
            text += i + 1 == named && named == others.size() ? " and " : ", ";
        text += grouped(others[i]);
    }
    if (named < others.size())
        text += " and " + grouped(others.size() - named) + " more";
    return text;
}

// Notes on every line whose call sign stands on others too; a line without
// a row yet gets one.
void noteRepeatedCallSigns(std::string_view bytes, std::vector<CallSignAt> callSigns, PlanFileReport &report)
{
    std::sort(callSigns.begin(), callSigns.end(), [](const CallSignAt &a, const CallSignAt &b) {
        return a.callSign != b.callSign ? a.callSign < b.callSign : a.line < b.line;
    });
    const std::size_t firstCount = report.reported.size();
    std::vector<std::string_view> fields;
    for (std::size_t first = 0; first < callSigns.size();) {
        std::size_t end = first + 1;
        while (end < callSigns.size() && callSigns[end].callSign == callSigns[first].callSign)
            ++end;
        const std::span<const CallSignAt> group(callSigns.data() + first, end - first);
        for (std::size_t i = first; end - first > 1 && i < end; ++i) {
            const auto existing = std::lower_bound(
                report.reported.begin(), report.reported.begin() + static_cast<std::ptrdiff_t>(firstCount),
                callSigns[i].line, [](const ReportedLine &row, std::size_t line) { return row.number < line; });
            ReportedLine *row = nullptr;
            if (existing != report.reported.begin() + static_cast<std::ptrdiff_t>(firstCount)
                && existing->number == callSigns[i].line) {
                row = &*existing;
            } else {
                ReportedLine added = rowAt(callSigns[i].line, callSigns[i].offset, callSigns[i].length);
                splitFields(bytes.substr(added.offset, added.length), fields);
                describePlan(fields, added);
                report.reported.push_back(std::move(added));
                row = &report.reported.back();
            }
            row->findings.push_back({FindingKind::Note, otherLinesText(group, callSigns[i].line)});
        }
        first = end;
    }
    std::sort(report.reported.begin(), report.reported.end(),
              [](const ReportedLine &a, const ReportedLine &b) { return a.number < b.number; });
}

} // namespace

bool ReportedLine::hasProblem() const
{
    return std::any_of(findings.begin(), findings.end(),
                       [](const LineFinding &f) { return f.kind == FindingKind::Problem; });
}

std::string ReportedLine::whatIsWrong() const
{
    std::string text;
    for (const FindingKind kind : {FindingKind::Problem, FindingKind::NotChecked, FindingKind::Note}) {
        for (const LineFinding &finding : findings) {
            if (finding.kind != kind)
                continue;
            if (!text.empty())
                text += "; ";
            text += finding.text;
        }
    }
    return text;
}

PlanFileReport checkPlanFile(std::string_view bytes, const PlanCheckLists &lists)
{
    PlanFileReport report;
    report.airportsChecked = lists.hasAirports();
    report.aircraftChecked = lists.aircraftCount() > 0;
    std::vector<CallSignAt> callSigns;
    std::vector<std::string_view> fields;
    AirportMemo airports(lists);
    LineReader reader(bytes);
    while (const std::optional<TextLine> line = reader.next()) {
        report.lines = line->number;
        if (isBlankLine(line->text))
            continue;
        ReportedLine row = rowAt(line->number, line->offset, line->text.size());
        splitFields(line->text, fields);
        if (const std::optional<std::size_t> second = secondPlanField(line->text)) {
            row.findings.push_back({FindingKind::Problem,
                                    "two plans on one line: the second starts in field " + std::to_string(*second + 1)});
        } else if (!legCount(fields.size())) {
            row.findings.push_back(
                {FindingKind::Problem, "not a flight-plan line (" + counted(fields.size(), "field", "fields") + ")"});
        } else {
            ++report.plans;
            describePlan(fields, row);
            PlanChecker(lists, airports, fields, row).run();
            if (!fields[1].empty())
                callSigns.push_back({fields[1], line->number, line->offset, line->text.size()});
        }
        if (!row.findings.empty())
            report.reported.push_back(std::move(row));
    }
    noteRepeatedCallSigns(bytes, std::move(callSigns), report);
    report.withProblems = static_cast<std::size_t>(
        std::count_if(report.reported.begin(), report.reported.end(), [](const ReportedLine &r) { return r.hasProblem(); }));
    return report;
}

std::string reportSentence(const PlanFileReport &report)
{
    std::string sentence = counted(report.lines, "line", "lines") + ", " + counted(report.plans, "plan", "plans") + ": "
        + (report.withProblems == 0 ? std::string("no problems found") : grouped(report.withProblems) + " with problems");
    if (!report.airportsChecked && !report.aircraftChecked)
        sentence += ". Airport codes and aircraft numbers were not checked: neither list has been read";
    else if (!report.airportsChecked)
        sentence += ". Airport codes were not checked: no airports list has been read";
    else if (!report.aircraftChecked)
        sentence += ". Aircraft numbers were not checked: no aircraft list has been read";
    return sentence;
}

} // namespace zephlan
