// The date and time stored for a file in a cabinet, as the program sees it:
// the DOS stamp turned into calendar fields without any change of time zone.
#pragma once

#include <string>

#include "platform/api/kernel32.h"

namespace lyn {

// A date-time to the second. The zero value is 30 December 1899, 00:00:00.
struct CabDateTime {
  int Year = 1899;
  int Month = 12;
  int Day = 30;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;

  bool operator==(const CabDateTime&) const = default;
};

// Through the platform's DOS-stamp and calendar conversions; the zero
// date-time when the calendar conversion fails.
CabDateTime CabFileDateTime(win::Kernel32& kernel32, win::WORD dosDate, win::WORD dosTime);

// The general date form of the user's locale (United States English): short
// date, a blank, long time ("3/14/2009 1:05:09 PM"); no time part at exactly
// midnight, and no date part on the zero date.
std::string GeneralDateText(const CabDateTime& value);

}  // namespace lyn
