#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace ravelt {

// A day of the proleptic Gregorian calendar, for laying out the demo's days: add days,
// read the month, write the day as the stores keep it (yyyymmdd text).
class CivilDate {
public:
    // Nullopt when the three numbers name no day (31 April, 29 February of a common year).
    static std::optional<CivilDate> fromYmd(int year, int month, int day);

    CivilDate plusDays(std::int64_t n) const;
    int year() const;
    int month() const;
    int day() const;
    std::string iso() const;  // "20260105"

    bool operator==(const CivilDate&) const = default;

private:
    explicit CivilDate(std::int64_t daysSinceEpoch) : days_(daysSinceEpoch) {}
    struct Ymd {
        int y, m, d;
    };
    Ymd ymd() const;
    std::int64_t days_;  // days since 1 January 1970
};

}
