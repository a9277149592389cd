// The launcher's scrambled data files (ini/play.dat) as the tests make and change them.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace testing_support {

// `text` in the scrambled file format, and back.
std::string Scrambled(std::string text);
std::string Descrambled(std::string bytes);

// Descrambles the file at `path`, lets `change` edit its text and stores it scrambled again.
void EditScrambledFile(const std::filesystem::path& path,
                       const std::function<void(std::string&)>& change);

}  // namespace testing_support
