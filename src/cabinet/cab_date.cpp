#include "cabinet/cab_date.h"

#include <cstdio>

namespace lyn {

CabDateTime CabFileDateTime(win::Kernel32& kernel32, win::WORD dosDate, win::WORD dosTime) {
  win::FILETIME fileTime{};
  kernel32.DosDateTimeToFileTime(dosDate, dosTime, &fileTime);
  win::SYSTEMTIME fields{};
  if (!kernel32.FileTimeToSystemTime(&fileTime, &fields)) return CabDateTime{};
  return CabDateTime{fields.wYear, fields.wMonth,  fields.wDay,
                     fields.wHour, fields.wMinute, fields.wSecond};
}

std::string GeneralDateText(const CabDateTime& value) {
  char date[32];
  std::snprintf(date, sizeof date, "%d/%d/%d", value.Month, value.Day, value.Year);
  char time[32];
  const int hour12 = value.Hour % 12 == 0 ? 12 : value.Hour % 12;
  std::snprintf(time, sizeof time, "%d:%02d:%02d %s", hour12, value.Minute, value.Second,
                value.Hour < 12 ? "AM" : "PM");
  const bool midnight = value.Hour == 0 && value.Minute == 0 && value.Second == 0;
  const CabDateTime zero{};
  const bool zeroDate =
      value.Year == zero.Year && value.Month == zero.Month && value.Day == zero.Day;
  if (zeroDate) return time;
  if (midnight) return date;
  return std::string(date) + " " + time;
}

}  // namespace lyn
