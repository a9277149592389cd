// Marks a printf-style function so the compiler checks every call's arguments against its format:
// a wrong argument is a compile error (-Werror=format), not a garbled log line at run time.
#pragma once

#if defined(__MINGW32__)
// MinGW's own name for the format its runtime's printf family follows.
#define PRINTF_STYLE(formatIndex, firstArgument) \
  __attribute__((format(__MINGW_PRINTF_FORMAT, formatIndex, firstArgument)))
#elif defined(__GNUC__)
#define PRINTF_STYLE(formatIndex, firstArgument) \
  __attribute__((format(printf, formatIndex, firstArgument)))
#else
#define PRINTF_STYLE(formatIndex, firstArgument)
#endif
