// The time conversions of the emulated kernel32: DOS stamps to file times and
// file times to calendar fields, without any change of time zone.
#include "platform/sim/kernel32_sim.h"

namespace lyn::sim {
namespace {

using namespace win;

constexpr unsigned long long kTicksPerSecond = 10000000ULL;
constexpr unsigned long long kSecondsPerDay = 86400ULL;
// Days from 1601-01-01 to 1970-01-01.
constexpr long long kDaysTo1970 = 134774;

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, long long& y, unsigned& m, unsigned& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y = static_cast<long long>(yoe) + era * 400 + (m <= 2);
}

}  // namespace

BOOL SimKernel32::DosDateTimeToFileTime(WORD dosDate, WORD dosTime, FILETIME* fileTime) {
  const int year = 1980 + (dosDate >> 9);
  const int month = (dosDate >> 5) & 0x0F;
  const int day = dosDate & 0x1F;
  const int hour = dosTime >> 11;
  const int minute = (dosTime >> 5) & 0x3F;
  const int second = (dosTime & 0x1F) * 2;
  if (fileTime == nullptr || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
      hour > 23 || minute > 59 || second > 59) {
    return Fail(ERROR_INVALID_PARAMETER, FALSE);
  }
  const long long days =
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + kDaysTo1970;
  const unsigned long long seconds =
      static_cast<unsigned long long>(days) * kSecondsPerDay +
      static_cast<unsigned long long>(hour * 3600 + minute * 60 + second);
  const unsigned long long ticks = seconds * kTicksPerSecond;
  fileTime->dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFF);
  fileTime->dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return TRUE;
}

BOOL SimKernel32::FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime) {
  if (fileTime == nullptr || systemTime == nullptr || (fileTime->dwHighDateTime & 0x80000000)) {
    return Fail(ERROR_INVALID_PARAMETER, FALSE);
  }
  const unsigned long long ticks =
      (static_cast<unsigned long long>(fileTime->dwHighDateTime) << 32) | fileTime->dwLowDateTime;
  const unsigned long long seconds = ticks / kTicksPerSecond;
  const long long days = static_cast<long long>(seconds / kSecondsPerDay);
  const unsigned long long ofDay = seconds % kSecondsPerDay;
  long long year = 0;
  unsigned month = 0;
  unsigned day = 0;
  CivilFromDays(days - kDaysTo1970, year, month, day);
  systemTime->wYear = static_cast<WORD>(year);
  systemTime->wMonth = static_cast<WORD>(month);
  // 1601-01-01 was a Monday.
  systemTime->wDayOfWeek = static_cast<WORD>((days + 1) % 7);
  systemTime->wDay = static_cast<WORD>(day);
  systemTime->wHour = static_cast<WORD>(ofDay / 3600);
  systemTime->wMinute = static_cast<WORD>(ofDay / 60 % 60);
  systemTime->wSecond = static_cast<WORD>(ofDay % 60);
  systemTime->wMilliseconds = static_cast<WORD>(ticks % kTicksPerSecond / 10000);
  return TRUE;
}

}  // namespace lyn::sim
