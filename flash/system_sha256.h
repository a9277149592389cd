// SHA-256 from the system's own implementation: the CNG provider (bcrypt.dll) where the system has
// one, else the CryptoAPI's AES provider (XP SP3 and later). The launcher carries no hash code of
// its own.
#pragma once

#include <cstddef>

constexpr int kSystemSha256Size = 32;

// Which implementation computed (or is to compute) the digest.
enum class Sha256Provider { kAny, kCng, kCryptoApi };

// Hashes `size` bytes into `digest`; false when no system implementation could do it. `only`
// picks one implementation, for tests that check each against the other; the launcher passes
// kAny and takes CNG first.
bool SystemSha256(const void* data, std::size_t size, unsigned char (&digest)[kSystemSha256Size],
                  Sha256Provider only = Sha256Provider::kAny);
