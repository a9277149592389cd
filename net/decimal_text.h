// Reading a number from text the way the runtime's atoi does.
#pragma once

namespace net {

// Optional white space, an optional sign and the leading decimal digits of `text`; 0 when there
// are none. Unlike atoi it is defined for any text: values past the int range stop at its ends.
int LeadingDecimal(const char* text);

}  // namespace net
