// The high-resolution frame timer: the performance counter's counts between the last two
// updates, and the local calendar time of the last update.
#pragma once

#include <cstdint>
#include <ctime>

class qnTimer {
public:
    qnTimer();
    ~qnTimer();

    void Update();
    double GetDelta() const;

    // The calendar fields of the last update, unconverted; 0 before the first update.
    int GetSeconds() const;
    int GetMinutes() const;
    int GetHours() const;
    int GetDay() const;
    int GetMonth() const;
    int GetYear() const;

private:
    int CalendarField(int std::tm::*piField) const;

    int64_t m_iFrequency;
    int64_t m_iLastCount;
    int64_t m_iDelta;
    std::tm* m_pkTime;
};
