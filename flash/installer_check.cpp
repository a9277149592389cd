#include "flash/installer_check.h"

#include <cstring>

#include "flash/system_sha256.h"

namespace {

// Where the DOS header keeps the offset of the PE signature.
constexpr int kSignatureOffsetField = 0x3C;

}  // namespace

bool LooksLikeWindowsProgram(const char* bytes, int size) {
  if (bytes == nullptr || size < kSignatureOffsetField + 4) return false;
  if (bytes[0] != 'M' || bytes[1] != 'Z') return false;
  const auto* field = reinterpret_cast<const unsigned char*>(bytes + kSignatureOffsetField);
  const unsigned long offset =
      field[0] | field[1] << 8 | field[2] << 16 | static_cast<unsigned long>(field[3]) << 24;
  if (offset > static_cast<unsigned long>(size) - 4) return false;
  return std::memcmp(bytes + offset, "PE\0\0", 4) == 0;
}

InstallerVerdict CheckDownloadedInstaller(const char* bytes, int size, const InstallerPin& pin) {
  if (pin.state == InstallerPin::kMalformed) return InstallerVerdict::kPinMalformed;
  if (!LooksLikeWindowsProgram(bytes, size)) return InstallerVerdict::kNotAProgram;
  if (pin.state == InstallerPin::kAbsent) return InstallerVerdict::kAccepted;
  unsigned char digest[kSystemSha256Size];
  if (!SystemSha256(bytes, static_cast<std::size_t>(size), digest)) {
    return InstallerVerdict::kDigestUnavailable;
  }
  return std::memcmp(digest, pin.digest, sizeof digest) == 0 ? InstallerVerdict::kAccepted
                                                             : InstallerVerdict::kDigestMismatch;
}

const char* InstallerVerdictText(InstallerVerdict verdict) {
  switch (verdict) {
    case InstallerVerdict::kAccepted:
      return "accepted";
    case InstallerVerdict::kNotAProgram:
      return "it is not a Windows program";
    case InstallerVerdict::kPinMalformed:
      return "FlashHttpSha256 in ini/play.dat is not 64 hex digits";
    case InstallerVerdict::kDigestUnavailable:
      return "the system could not compute its SHA-256";
    case InstallerVerdict::kDigestMismatch:
      return "its SHA-256 is not the one FlashHttpSha256 names";
  }
  return "unknown";
}
