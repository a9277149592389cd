#include "flash/system_sha256.h"

#include <windows.h>
#include <bcrypt.h>
#include <wincrypt.h>

#include <cstring>
#include <string>
#include <vector>

#include "compat/unique_handle.h"
#include "compat/windows/module_handle.h"

namespace {

// bcrypt.dll is loaded when a digest is wanted, by its full path in the system folder: it is
// missing before Vista, and a program that imported it would not start there at all.
UniqueModule LoadSystemModule(const char* name) {
  char path[MAX_PATH];
  const UINT length = ::GetSystemDirectoryA(path, sizeof path);
  if (length == 0 || length + 1 + std::strlen(name) >= sizeof path) return UniqueModule();
  std::string full(path, length);
  full += '\\';
  full += name;
  return UniqueModule(::LoadLibraryA(full.c_str()));
}

// CNG's handles, closed by the functions found in the loaded bcrypt.dll.
struct CngAlgorithmTraits {
  using Handle = BCRYPT_ALG_HANDLE;
  static Handle Empty() { return nullptr; }
  void Close(Handle algorithm) const { close(algorithm, 0); }
  decltype(&::BCryptCloseAlgorithmProvider) close = nullptr;
};

struct CngHashTraits {
  using Handle = BCRYPT_HASH_HANDLE;
  static Handle Empty() { return nullptr; }
  void Close(Handle hash) const { destroy(hash); }
  decltype(&::BCryptDestroyHash) destroy = nullptr;
};

// CryptoAPI's, before Vista.
struct CryptProviderTraits {
  using Handle = HCRYPTPROV;
  static Handle Empty() { return 0; }
  static void Close(Handle provider) { ::CryptReleaseContext(provider, 0); }
};

struct CryptHashTraits {
  using Handle = HCRYPTHASH;
  static Handle Empty() { return 0; }
  static void Close(Handle hash) { ::CryptDestroyHash(hash); }
};

template <typename Function>
Function Find(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

bool CngSha256(const void* data, std::size_t size, unsigned char (&digest)[kSystemSha256Size]) {
  const UniqueModule bcrypt = LoadSystemModule("bcrypt.dll");
  if (!bcrypt) return false;
  const auto open =
      Find<decltype(&::BCryptOpenAlgorithmProvider)>(bcrypt.get(), "BCryptOpenAlgorithmProvider");
  const auto close =
      Find<decltype(&::BCryptCloseAlgorithmProvider)>(bcrypt.get(), "BCryptCloseAlgorithmProvider");
  const auto property = Find<decltype(&::BCryptGetProperty)>(bcrypt.get(), "BCryptGetProperty");
  const auto create = Find<decltype(&::BCryptCreateHash)>(bcrypt.get(), "BCryptCreateHash");
  const auto hashData = Find<decltype(&::BCryptHashData)>(bcrypt.get(), "BCryptHashData");
  const auto finish = Find<decltype(&::BCryptFinishHash)>(bcrypt.get(), "BCryptFinishHash");
  const auto destroy = Find<decltype(&::BCryptDestroyHash)>(bcrypt.get(), "BCryptDestroyHash");
  if (!open || !close || !property || !create || !hashData || !finish || !destroy) return false;

  BCRYPT_ALG_HANDLE algorithm = nullptr;
  if (!BCRYPT_SUCCESS(open(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0))) return false;
  const UniqueHandle<CngAlgorithmTraits> algorithmHeld(algorithm, CngAlgorithmTraits{close});

  // Vista wants the hash object's memory from the caller.
  DWORD objectSize = 0;
  ULONG got = 0;
  if (!BCRYPT_SUCCESS(property(algorithm, BCRYPT_OBJECT_LENGTH,
                               reinterpret_cast<PUCHAR>(&objectSize), sizeof objectSize, &got,
                               0))) {
    return false;
  }
  std::vector<UCHAR> object(objectSize);
  BCRYPT_HASH_HANDLE hash = nullptr;
  if (!BCRYPT_SUCCESS(create(algorithm, &hash, object.data(), objectSize, nullptr, 0, 0))) {
    return false;
  }
  const UniqueHandle<CngHashTraits> hashHeld(hash, CngHashTraits{destroy});

  const auto* bytes = static_cast<const unsigned char*>(data);
  while (size > 0) {
    const ULONG piece = size > 0x40000000u ? 0x40000000u : static_cast<ULONG>(size);
    if (!BCRYPT_SUCCESS(hashData(hash, const_cast<PUCHAR>(bytes), piece, 0))) return false;
    bytes += piece;
    size -= piece;
  }
  return BCRYPT_SUCCESS(finish(hash, digest, kSystemSha256Size, 0));
}

bool CryptoApiSha256(const void* data, std::size_t size,
                     unsigned char (&digest)[kSystemSha256Size]) {
  HCRYPTPROV provider = 0;
  if (!::CryptAcquireContextA(&provider, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT)) {
    return false;
  }
  const UniqueHandle<CryptProviderTraits> providerHeld(provider);

  HCRYPTHASH hash = 0;
  if (!::CryptCreateHash(provider, CALG_SHA_256, 0, 0, &hash)) return false;
  const UniqueHandle<CryptHashTraits> hashHeld(hash);

  const auto* bytes = static_cast<const BYTE*>(data);
  while (size > 0) {
    const DWORD piece = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    if (!::CryptHashData(hash, bytes, piece, 0)) return false;
    bytes += piece;
    size -= piece;
  }
  DWORD length = kSystemSha256Size;
  return ::CryptGetHashParam(hash, HP_HASHVAL, digest, &length, 0) && length == kSystemSha256Size;
}

}  // namespace

bool SystemSha256(const void* data, std::size_t size, unsigned char (&digest)[kSystemSha256Size],
                  Sha256Provider only) {
  if (data == nullptr && size > 0) return false;
  static const unsigned char kNothing = 0;
  if (data == nullptr) data = &kNothing;
  if (only != Sha256Provider::kCryptoApi && CngSha256(data, size, digest)) return true;
  if (only == Sha256Provider::kCng) return false;
  return CryptoApiSha256(data, size, digest);
}
