#include "core/Schedule.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace zephlan {

void PrintTo(const ScheduleFinding &f, std::ostream *os)
{
    *os << "{clash " << static_cast<int>(f.clash) << ", leg " << f.leg << ", " << f.minutes << " min}";
}

namespace {

// An independent model of a repeating plan, for comparison: every leg is
// unrolled on an absolute time line by stepping whole periods (no remainders),
// and the aircraft's legs are compared instant by instant.
struct Instant
{
    int leaves;
    int ends;
};

// The first time at or after `notBefore` that the clock of a plan repeating
// every `period` shows `clock` (a time of the first day).
int nextShowing(int clock, int period, int notBefore)
{
    int at = clock;
    while (at - period >= notBefore)
        at -= period;
    while (at < notBefore)
        at += period;
    return at;
}

std::vector<ScheduleFinding> unrolled(int period, const std::vector<std::pair<int, int>> &legs)
{
    std::vector<Instant> line;
    for (const auto &[clock, length] : legs) {
        const int leaves = line.empty() ? clock : nextShowing(clock, period, line.back().leaves);
        line.push_back({leaves, leaves + length});
    }
    std::vector<ScheduleFinding> found;
    for (std::size_t leg = 1; leg < line.size(); ++leg) {
        if (line[leg - 1].ends > line[leg].leaves)
            found.push_back({ScheduleClash::LeavesBeforeArrival, leg, line[leg - 1].ends - line[leg].leaves});
    }
    const int firstAgain = nextShowing(legs.front().first, period, line.front().leaves + 1);
    if (line.back().ends > firstAgain)
        found.push_back({ScheduleClash::BackAfterNextStart, line.size() - 1, line.back().ends - firstAgain});
    int flown = 0;
    for (const auto &leg : legs)
        flown += leg.second;
    if (flown > period)
        found.push_back({ScheduleClash::LongerThanPeriod, 0, flown});
    return found;
}

std::vector<ScheduleFinding> modelled(int period, const std::vector<std::pair<int, int>> &legs)
{
    std::vector<ScheduledLeg> scheduled;
    for (const auto &[clock, length] : legs)
        scheduled.push_back({clock, length});
    return findScheduleClashes(period, scheduled);
}

std::string describe(const RepeatPeriod &period, const std::vector<std::pair<int, int>> &legs)
{
    std::string text(period.name);
    for (const auto &[clock, length] : legs)
        text += " leg at " + std::to_string(clock) + " for " + std::to_string(length);
    return text;
}

// The lengths a leg is tried with: none, exactly the gap it has, one step
// more, the period, more than the period, and more than a day.
std::vector<int> lengthsAround(int gap, int period)
{
    return {0, gap, gap + 5, period, period + 5, kDayMinutes + 5};
}

// Under the sanitizers each case costs some thirty times as much: a coarser grid there.
#ifdef __SANITIZE_ADDRESS__
constexpr int kGridMinutes = 15;
#else
constexpr int kGridMinutes = 5;
#endif

// Departure and return times on a five-minute grid, every pair for the
// hourly and daily periods and a seeded sample for a week.
TEST(Schedule, RoundTripsAgreeWithTheUnrolledTimeLine)
{
    std::mt19937 random(20261208);
    long compared = 0;
    long mismatches = 0;
    for (const RepeatPeriod &period : kRepeatPeriods) {
        const int P = period.minutes;
        std::vector<std::pair<int, int>> pairs;
        if (P == kWeekMinutes) {
            std::uniform_int_distribution<int> grid(0, kDayMinutes / 5 - 1);
            for (int i = 0; i < 100000 / kGridMinutes / kGridMinutes * 5; ++i)
                pairs.emplace_back(5 * grid(random), 5 * grid(random));
        } else {
            for (int d = 0; d < kDayMinutes; d += kGridMinutes)
                for (int r = 0; r < kDayMinutes; r += kGridMinutes)
                    pairs.emplace_back(d, r);
        }
        for (const auto &[d, r] : pairs) {
            int s = r - d;
            while (s < 0)
                s += P;
            while (s >= P)
                s -= P;
            for (const int out : lengthsAround(s, P)) {
                for (const int back : lengthsAround(P - s, P)) {
                    const std::vector<std::pair<int, int>> legs = {{d, out}, {r, back}};
                    ++compared;
                    if (modelled(P, legs) != unrolled(P, legs) && ++mismatches <= 5)
                        ADD_FAILURE() << describe(period, legs);
                }
            }
        }
    }
    std::printf("round trips compared: %ld, mismatches: %ld\n", compared, mismatches);
    EXPECT_EQ(mismatches, 0);
}

// Plans of three and four legs: departure times on a five-minute grid drawn
// over the first day (over the whole week for a weekly plan, whose times may
// carry a day), now and then two legs at the same time; each leg tried with
// every length around the gap to the next leg's departure.
TEST(Schedule, LongerPlansAgreeWithTheUnrolledTimeLine)
{
    std::mt19937 random(20261209);
    long compared = 0;
    long mismatches = 0;
    for (const std::size_t count : {std::size_t(3), std::size_t(4)}) {
        for (const RepeatPeriod &period : kRepeatPeriods) {
            const int P = period.minutes;
            std::uniform_int_distribution<int> grid(0, (P == kWeekMinutes ? P : kDayMinutes) / 5 - 1);
            for (int sample = 0; sample < 40; ++sample) {
                std::vector<int> times(count);
                for (int &time : times)
                    time = 5 * grid(random);
                if (sample % 4 == 0)
                    times[2] = times[1];
                std::vector<std::vector<int>> lengths;
                for (std::size_t leg = 0; leg < count; ++leg) {
                    const int next = times[(leg + 1) % count];
                    lengths.push_back(lengthsAround(((next - times[leg]) % P + P) % P, P));
                }
                // Every combination of the legs' lengths, counted like an odometer.
                std::vector<std::size_t> pick(count, 0);
                for (bool more = true; more;) {
                    std::vector<std::pair<int, int>> legs;
                    for (std::size_t leg = 0; leg < count; ++leg)
                        legs.emplace_back(times[leg], lengths[leg][pick[leg]]);
                    ++compared;
                    if (modelled(P, legs) != unrolled(P, legs) && ++mismatches <= 5)
                        ADD_FAILURE() << describe(period, legs);
                    std::size_t leg = 0;
                    while (leg < count && ++pick[leg] == lengths[leg].size())
                        pick[leg++] = 0;
                    more = leg < count;
                }
            }
        }
    }
    std::printf("plans of three and four legs compared: %ld, mismatches: %ld\n", compared, mismatches);
    EXPECT_EQ(mismatches, 0);
}

// Each time of day the return window offers works, and the times just
// outside it do not.
TEST(Schedule, ReturnWindowHoldsTheTimesThatWork)
{
    long compared = 0;
    for (const RepeatPeriod &period : kRepeatPeriods) {
        const int P = period.minutes;
        for (int d = 0; d < kDayMinutes; d += 13 * kGridMinutes) {
            for (const int out : {0, 30, 366, P / 2, P - 10, kDayMinutes + 180}) {
                for (const int back : {0, 30, 366, P / 2, P - out}) {
                    if (back < 0)
                        continue;
                    const auto works = [&](int r) {
                        for (const ScheduleFinding &f : unrolled(P, {{d, out}, {r, back}}))
                            if (f.clash != ScheduleClash::LongerThanPeriod)
                                return false;
                        return out + back <= P;
                    };
                    const std::optional<ReturnWindow> window = returnWindow(P, {d, out}, back);
                    ++compared;
                    std::vector<int> working;
                    for (int r = 0; r < kDayMinutes; ++r)
                        if (works(r))
                            working.push_back(r);
                    ASSERT_EQ(window.has_value(), !working.empty()) << describe(period, {{d, out}, {0, back}});
                    if (!window)
                        continue;
                    const int span = (*window->latest - window->earliest + kDayMinutes) % kDayMinutes;
                    for (int step = 0; step <= span; ++step)
                        ASSERT_TRUE(works((window->earliest + step) % kDayMinutes)) << describe(period, {{d, out}});
                    if (span < kDayMinutes - 1) {
                        EXPECT_FALSE(works((window->earliest + kDayMinutes - 1) % kDayMinutes));
                        EXPECT_FALSE(works((*window->latest + 1) % kDayMinutes));
                    }
                }
            }
        }
    }
    std::printf("return windows compared: %ld\n", compared);
}

// With the return's length unknown: the first time from the departure on
// that leaves after the outbound has ended.
TEST(Schedule, ReturnFromTheOutboundsEnd)
{
    for (const RepeatPeriod &period : kRepeatPeriods) {
        for (int d = 0; d < kDayMinutes; d += 7 * kGridMinutes) {
            for (const int out : {0, 45, 600, period.minutes, kDayMinutes + 60}) {
                // A return of no length clashes only by leaving too early.
                int r = d;
                while (r < d + kDayMinutes && !unrolled(period.minutes, {{d, out}, {r % kDayMinutes, 0}}).empty())
                    ++r;
                const std::optional<ReturnWindow> window = returnWindow(period.minutes, {d, out}, std::nullopt);
                if (r == d + kDayMinutes) {
                    EXPECT_EQ(window, std::nullopt) << describe(period, {{d, out}});
                    continue;
                }
                EXPECT_EQ(window, (ReturnWindow{r % kDayMinutes, std::nullopt})) << describe(period, {{d, out}});
            }
        }
    }
}

struct PartialCase
{
    const char *name;
    std::vector<ScheduledLeg> legs;
    std::vector<ScheduleFinding> found;
};

void PrintTo(const PartialCase &c, std::ostream *os) { *os << c.name; }

class Partial : public testing::TestWithParam<PartialCase> {};

// On a daily plan: each finding only once every input it needs is known.
TEST_P(Partial, FindsOnlyWhatItsInputsTell)
{
    EXPECT_EQ(findScheduleClashes(kDayMinutes, GetParam().legs), GetParam().found);
}

const PartialCase kPartialCases[] = {
    {"NoReturnTime", {{600, 120}, {std::nullopt, 1400}}, {{ScheduleClash::LongerThanPeriod, 0, 1520}}},
    {"NoReturnLength", {{600, 120}, {660, std::nullopt}}, {{ScheduleClash::LeavesBeforeArrival, 1, 60}}},
    {"NoOutboundLength", {{600, std::nullopt}, {540, 120}}, {{ScheduleClash::BackAfterNextStart, 1, 60}}},
    {"NoOutboundTime", {{std::nullopt, 120}, {540, 1400}}, {{ScheduleClash::LongerThanPeriod, 0, 1520}}},
    {"OneLegLongerThanADay", {{600, 1500}}, {{ScheduleClash::BackAfterNextStart, 0, 60}, {ScheduleClash::LongerThanPeriod, 0, 1500}}},
    {"ThirdLegUnknownTime", {{600, 60}, {630, 60}, {std::nullopt, 60}}, {{ScheduleClash::LeavesBeforeArrival, 1, 30}}},
};

INSTANTIATE_TEST_SUITE_P(Schedule, Partial, testing::ValuesIn(kPartialCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Schedule, ClockAndPeriodTexts)
{
    EXPECT_EQ(clockMinutes("23:59:59"), 1439);
    EXPECT_EQ(clockMinutes("00:00:00"), 0);
    for (const char *odd : {"24:00:00", "12:60:00", "12:00:60", "12:00", "1a:00:00", "12.00.00", " 12:00:00"})
        EXPECT_EQ(clockMinutes(odd), std::nullopt) << odd;
    EXPECT_EQ(repeatPeriodMinutes("Week"), kWeekMinutes);
    EXPECT_EQ(repeatPeriodMinutes("4Hr"), 240);
    EXPECT_EQ(repeatPeriodMinutes("4hr"), std::nullopt);
}

} // namespace
} // namespace zephlan
