#include "tools/fetch/output_name.h"

#include <cctype>
#include <cstring>

namespace {

// CON, CONIN$, CONOUT$, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9 name devices, with any
// extension too.
bool IsDeviceName(const std::string& name) {
  std::string stem = name.substr(0, name.find('.'));
  for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (stem == "CON" || stem == "CONIN$" || stem == "CONOUT$" || stem == "PRN" || stem == "AUX" ||
      stem == "NUL") {
    return true;
  }
  return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
         stem[3] >= '1' && stem[3] <= '9';
}

}  // namespace

std::string OutputNameFor(const std::string& urlPath) {
  std::string name = urlPath.substr(0, urlPath.find_first_of("?#"));
  const std::string::size_type separator = name.find_last_of("/\\");
  if (separator != std::string::npos) name = name.substr(separator + 1);
  if (name.empty() || name == "." || name == "..") return "";
  for (char c : name) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || std::strchr("<>:\"|?*", c) != nullptr) return "";
  }
  if (name.back() == '.' || name.back() == ' ') return "";
  if (IsDeviceName(name)) return "";
  return name;
}
