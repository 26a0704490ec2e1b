#include "core/Schedule.h"

#include <algorithm>
#include <numeric>

namespace zephlan {
namespace {

int modulo(int value, int period)
{
    return (value % period + period) % period;
}

int twoDigits(std::string_view text, std::size_t at)
{
    const char tens = text[at];
    const char ones = text[at + 1];
    if (tens < '0' || tens > '9' || ones < '0' || ones > '9')
        return -1;
    return (tens - '0') * 10 + (ones - '0');
}

// Whether a return leaving at `leaves` lets the outbound end first and is
// itself back before the next outbound; an unknown return length only the former.
bool returnFits(int period, int outLeaves, int outMinutes, int leaves, std::optional<int> returnMinutes)
{
    const int since = modulo(leaves - outLeaves, period);
    return since >= outMinutes && (!returnMinutes || period - since >= *returnMinutes);
}

} // namespace

std::optional<int> repeatPeriodMinutes(std::string_view name)
{
    for (const RepeatPeriod &period : kRepeatPeriods) {
        if (period.name == name)
            return period.minutes;
    }
    return std::nullopt;
}

std::string repeatPeriodNames()
{
    std::string names;
    for (const RepeatPeriod &period : kRepeatPeriods)
        names.append(names.empty() ? "" : ", ").append(period.name);
    return names;
}

std::string durationText(int minutes)
{
    std::string text;
    if (minutes >= 60) {
        const int rest = minutes % 60;
        text.append(std::to_string(minutes / 60)).append(" h ").append(rest < 10 ? "0" : "");
        minutes = rest;
    }
    return text.append(std::to_string(minutes)).append(" min");
}

std::optional<int> clockMinutes(std::string_view text)
{
    if (text.size() != 8 || text[2] != ':' || text[5] != ':')
        return std::nullopt;
    const int hours = twoDigits(text, 0);
    const int minutes = twoDigits(text, 3);
    const int seconds = twoDigits(text, 6);
    if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 59)
        return std::nullopt;
    return hours * 60 + minutes;
}

int minutesUntil(int leaves, int ends, int periodMinutes)
{
    return modulo(ends - leaves, periodMinutes);
}

std::vector<ScheduleFinding> findScheduleClashes(int periodMinutes, std::span<const ScheduledLeg> legs)
{
    std::vector<ScheduleFinding> findings;
    if (legs.empty() || periodMinutes <= 0)
        return findings;
    // Where each leg leaves, counted from the first leg's departure; unknown
    // from the first leg whose time is not known.
    std::optional<int> offset = legs.front().leaves ? std::optional<int>(0) : std::nullopt;
    for (std::size_t leg = 1; leg < legs.size(); ++leg) {
        const ScheduledLeg &before = legs[leg - 1];
        if (!before.leaves || !legs[leg].leaves) {
            offset.reset();
            continue;
        }
        const int gap = modulo(*legs[leg].leaves - *before.leaves, periodMinutes);
        if (before.minutes && *before.minutes > gap)
            findings.push_back({ScheduleClash::LeavesBeforeArrival, leg, *before.minutes - gap});
        if (offset)
            *offset += gap;
    }
    const ScheduledLeg &last = legs.back();
    if (offset && last.minutes && *last.minutes > periodMinutes - *offset)
        findings.push_back({ScheduleClash::BackAfterNextStart, legs.size() - 1, *last.minutes - (periodMinutes - *offset)});
    const bool allKnown = std::all_of(legs.begin(), legs.end(), [](const ScheduledLeg &l) { return l.minutes.has_value(); });
    if (allKnown) {
        const int total = std::accumulate(legs.begin(), legs.end(), 0,
                                          [](int sum, const ScheduledLeg &l) { return sum + *l.minutes; });
        if (total > periodMinutes)
            findings.push_back({ScheduleClash::LongerThanPeriod, 0, total});
    }
    return findings;
}

std::optional<ReturnWindow> returnWindow(int periodMinutes, ScheduledLeg outbound, std::optional<int> returnMinutes)
{
    if (periodMinutes <= 0 || !outbound.leaves || !outbound.minutes)
        return std::nullopt;
    if (returnMinutes && *outbound.minutes + *returnMinutes > periodMinutes)
        return std::nullopt;
    const auto fits = [&](int leaves) {
        return returnFits(periodMinutes, *outbound.leaves, *outbound.minutes, leaves, returnMinutes);
    };
    // Each time of day from the outbound's departure on, round the clock once.
    int step = 0;
    while (step < kDayMinutes && !fits(modulo(*outbound.leaves + step, kDayMinutes)))
        ++step;
    if (step == kDayMinutes)
        return std::nullopt;
    ReturnWindow window{modulo(*outbound.leaves + step, kDayMinutes), std::nullopt};
    if (!returnMinutes)
        return window;
    int last = step;
    while (last + 1 < step + kDayMinutes && fits(modulo(*outbound.leaves + last + 1, kDayMinutes)))
        ++last;
    window.latest = modulo(*outbound.leaves + last, kDayMinutes);
    return window;
}

} // namespace zephlan
