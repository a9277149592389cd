// The Flash installer's pinned digest: an optional key of the link definitions' first section
// that names the SHA-256 the downloaded installer must have before it is written or started.
#pragma once

#include "data/definition_table.h"

constexpr const char* kInstallerPinKey = "FlashHttpSha256";
constexpr int kSha256Size = 32;

struct InstallerPin {
  enum State {
    kAbsent,     // no such key: any installer that is a Windows program is accepted
    kValid,      // `digest` holds the pinned value
    kMalformed,  // the key is there but its value is not 64 hex digits: every download is refused
  };
  State state = kAbsent;
  unsigned char digest[kSha256Size] = {};
};

// Reads 64 hex digits, in either case and nothing else, into `digest`; false (and `digest` left
// as it was) for any other text.
bool ParseSha256Hex(const char* text, unsigned char (&digest)[kSha256Size]);

// The pin of the table's first section, whatever its name; absent when the table has no section.
InstallerPin ReadInstallerPin(const DefinitionTable& table);
