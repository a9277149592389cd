// Helpers shared by the data-file tests.
#pragma once

#include <string>

namespace data_test {

// The texts logged to debug.log in the current directory, one per line, without time stamps and
// carriage returns; empty when nothing was logged.
std::string LoggedTexts();

// `text` in the scrambled file format.
std::string Scrambled(std::string text);

}  // namespace data_test
