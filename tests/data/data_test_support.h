// Helpers shared by the data-file tests.
#pragma once

#include <string>

namespace data_test {

// The texts logged to debug.log in the current directory, one per line, without time stamps and
// carriage returns; empty when nothing was logged.
std::string LoggedTexts();

}  // namespace data_test
