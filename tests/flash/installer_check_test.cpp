// What a downloaded installer must be before it is written and run: a Windows program, and the
// pinned one where the game folder pins a digest, computed by the system's own SHA-256.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "flash/installer_check.h"
#include "flash/system_sha256.h"

namespace {

// The smallest bytes the check takes for a program: a DOS header naming its PE signature.
std::string TinyProgram(std::size_t signatureAt = 0x40) {
  std::string bytes(signatureAt + 4, '\0');
  bytes[0] = 'M';
  bytes[1] = 'Z';
  for (int i = 0; i < 4; ++i) bytes[0x3C + i] = static_cast<char>((signatureAt >> (8 * i)) & 0xFF);
  bytes.replace(signatureAt, 4, std::string("PE\0\0", 4));
  return bytes;
}

bool IsProgram(const std::string& bytes) {
  return LooksLikeWindowsProgram(bytes.data(), static_cast<int>(bytes.size()));
}

TEST(InstallerCheck, OnlyAnMzHeaderWithItsPeSignatureInsideTheBodyIsAProgram) {
  EXPECT_TRUE(IsProgram(TinyProgram()));
  EXPECT_TRUE(IsProgram(TinyProgram(0x80) + "trailer"));
  EXPECT_FALSE(IsProgram("<html><body>404 Not Found</body></html>" + std::string(100, ' ')));
  std::string noMz = TinyProgram();
  noMz[1] = 'X';
  EXPECT_FALSE(IsProgram(noMz));
  const std::string program = TinyProgram(0x80);
  EXPECT_FALSE(IsProgram(program.substr(0, program.size() - 1))) << "signature cut by the end";
  std::string farAway = TinyProgram();
  std::memcpy(&farAway[0x3C], "\xfe\xff\xff\xff", 4);  // would wrap a 32-bit sum
  EXPECT_FALSE(IsProgram(farAway));
  EXPECT_FALSE(IsProgram("MZ"));
}

TEST(InstallerCheck, BothSystemProvidersGiveTheKnownDigests) {
  // SHA-256 of "abc" and of no bytes at all.
  const unsigned char abc[kSystemSha256Size] = {0xba, 0x78, 0x16, 0xbf, 0x8f, 0x01, 0xcf, 0xea,
                                                0x41, 0x41, 0x40, 0xde, 0x5d, 0xae, 0x22, 0x23,
                                                0xb0, 0x03, 0x61, 0xa3, 0x96, 0x17, 0x7a, 0x9c,
                                                0xb4, 0x10, 0xff, 0x61, 0xf2, 0x00, 0x15, 0xad};
  const unsigned char empty[kSystemSha256Size] = {0xe3, 0xb0, 0xc4, 0x42, 0x98, 0xfc, 0x1c, 0x14,
                                                  0x9a, 0xfb, 0xf4, 0xc8, 0x99, 0x6f, 0xb9, 0x24,
                                                  0x27, 0xae, 0x41, 0xe4, 0x64, 0x9b, 0x93, 0x4c,
                                                  0xa4, 0x95, 0x99, 0x1b, 0x78, 0x52, 0xb8, 0x55};
  for (Sha256Provider provider : {Sha256Provider::kCng, Sha256Provider::kCryptoApi}) {
    const int which = static_cast<int>(provider);
    unsigned char digest[kSystemSha256Size] = {};
    ASSERT_TRUE(SystemSha256("abc", 3, digest, provider)) << which;
    EXPECT_EQ(std::memcmp(digest, abc, sizeof abc), 0) << which;
    ASSERT_TRUE(SystemSha256(nullptr, 0, digest, provider)) << which;
    EXPECT_EQ(std::memcmp(digest, empty, sizeof empty), 0) << which;
  }
}

TEST(InstallerCheck, APinAcceptsOnlyItsOwnInstallerAndAMalformedOneAcceptsNothing) {
  const std::string program = TinyProgram() + std::string(5000, 'p');
  InstallerPin pin;
  auto verdict = [&](const std::string& bytes) {
    return CheckDownloadedInstaller(bytes.data(), static_cast<int>(bytes.size()), pin);
  };
  EXPECT_EQ(verdict(program), InstallerVerdict::kAccepted) << "no pin: any program";
  EXPECT_EQ(verdict("not a program at all, but long enough to hold a DOS header......"),
            InstallerVerdict::kNotAProgram);

  pin.state = InstallerPin::kValid;
  unsigned char digest[kSystemSha256Size];
  ASSERT_TRUE(SystemSha256(program.data(), program.size(), digest));
  std::memcpy(pin.digest, digest, sizeof digest);
  EXPECT_EQ(verdict(program), InstallerVerdict::kAccepted);
  EXPECT_EQ(verdict(program + "x"), InstallerVerdict::kDigestMismatch);

  pin.state = InstallerPin::kMalformed;
  EXPECT_EQ(verdict(program), InstallerVerdict::kPinMalformed);
}

}  // namespace
