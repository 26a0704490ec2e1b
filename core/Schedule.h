#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zephlan {

inline constexpr int kDayMinutes = 24 * 60;
inline constexpr int kWeekMinutes = 7 * kDayMinutes;

// How often a plan repeats: its name in the flight-plan line and its length.
struct RepeatPeriod
{
    std::string_view name;
    int minutes;
};

// In the order the period list shows them.
inline constexpr std::array<RepeatPeriod, 8> kRepeatPeriods = {{
    {"1Hr", 60}, {"2Hr", 120}, {"4Hr", 240}, {"6Hr", 360}, {"8Hr", 480}, {"12Hr", 720}, {"24Hr", kDayMinutes},
    {"Week", kWeekMinutes},
}};

std::optional<int> repeatPeriodMinutes(std::string_view name);
// "1Hr, 2Hr, 4Hr, 6Hr, 8Hr, 12Hr, 24Hr, Week".
std::string repeatPeriodNames();

// A length of time as the plan line and the file check say it: "45 min", "1 h 06 min".
std::string durationText(int minutes);

// Minutes after midnight of "hh:mm:ss" (hours to 23, minutes and seconds to
// 59); the seconds are dropped. Nothing for any other text.
std::optional<int> clockMinutes(std::string_view text);

// A plan's times carry no day: an hourly or daily plan flies every leg once
// in each period, and a weekly plan flies them all on one day of the week.
// So a time counts modulo the period, and a leg that ends at a given time
// lasts from its departure forward to the next time the clock shows it.
int minutesUntil(int leaves, int ends, int periodMinutes);

// One leg of a repeating plan: when it leaves, in minutes after midnight, and
// how long it flies, in minutes; each unknown until its inputs are.
struct ScheduledLeg
{
    std::optional<int> leaves;
    std::optional<int> minutes;
};

enum class ScheduleClash {
    // `leg` leaves `minutes` before the leg before it has ended.
    LeavesBeforeArrival,
    // The last leg, `leg`, ends `minutes` after the first leaves again.
    BackAfterNextStart,
    // All legs together fly `minutes`, more than the period.
    LongerThanPeriod,
};

struct ScheduleFinding
{
    ScheduleClash clash;
    std::size_t leg;
    int minutes;

    bool operator==(const ScheduleFinding &) const = default;
};

// What makes a repeating plan unworkable, legs in the order they are flown.
// Each leg after the first leaves (its time - the time of the leg before)
// modulo the period after that one; the first leaves again one period after
// it left. Each finding is given only when every input it needs is known.
std::vector<ScheduleFinding> findScheduleClashes(int periodMinutes, std::span<const ScheduledLeg> legs);

// When the second leg of a round trip can leave, as minutes after midnight:
// the times of day from `earliest` to `latest` (both included, on the 24-hour
// clock, the first such run after the first leg leaves). Nothing when no time
// works or the first leg's departure or length is unknown; while the second
// leg's length is unknown, only `earliest`.
struct ReturnWindow
{
    int earliest;
    std::optional<int> latest;

    bool operator==(const ReturnWindow &) const = default;
};
std::optional<ReturnWindow> returnWindow(int periodMinutes, ScheduledLeg outbound, std::optional<int> returnMinutes);

} // namespace zephlan
