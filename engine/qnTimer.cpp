#include "qnTimer.h"

#include "platform/win32.h"

namespace {

int64_t ReadCounter()
{
    LARGE_INTEGER kCount = {};
    QueryPerformanceCounter(&kCount);
    return kCount.QuadPart;
}

int64_t ReadFrequency()
{
    LARGE_INTEGER kFrequency = {};
    QueryPerformanceFrequency(&kFrequency);
    return kFrequency.QuadPart;
}

}  // namespace

qnTimer::qnTimer()
    : m_iFrequency(ReadFrequency()), m_iLastCount(ReadCounter()), m_iDelta(0), m_pkTime(nullptr)
{
}

qnTimer::~qnTimer()
{
    m_iFrequency = 0;
    m_iLastCount = 0;
}

void qnTimer::Update()
{
    int64_t iCount = ReadCounter();
    m_iDelta = iCount - m_iLastCount;
    m_iLastCount = iCount;
    std::time_t iNow = std::time(nullptr);
    m_pkTime = std::localtime(&iNow);
}

double qnTimer::GetDelta() const
{
    return static_cast<double>(m_iDelta) / static_cast<double>(m_iFrequency);
}

int qnTimer::GetSeconds() const
{
    return CalendarField(&std::tm::tm_sec);
}

int qnTimer::GetMinutes() const
{
    return CalendarField(&std::tm::tm_min);
}

int qnTimer::GetHours() const
{
    return CalendarField(&std::tm::tm_hour);
}

int qnTimer::GetDay() const
{
    return CalendarField(&std::tm::tm_mday);
}

int qnTimer::GetMonth() const
{
    return CalendarField(&std::tm::tm_mon);
}

int qnTimer::GetYear() const
{
    return CalendarField(&std::tm::tm_year);
}

int qnTimer::CalendarField(int std::tm::*piField) const
{
    return m_pkTime ? m_pkTime->*piField : 0;
}
