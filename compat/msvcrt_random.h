// The pseudo-random generator of the platform's runtime library (MSVCRT), whose exact sequence
// defines the key table of scrambled data files.
#pragma once

#include <cstdint>

namespace compat {

// The runtime's own srand/rand. On Windows these call MSVCRT itself; on the host, whose library
// yields another sequence, they reproduce MSVCRT's generator with the same per-thread state (each
// thread starts as if seeded with 1, and seeding changes only the calling thread's sequence).
void RuntimeSrand(unsigned int seed);
int RuntimeRand();

// MSVCRT's generator in portable code, independent of any runtime state. Present in every build
// so that a test under Wine can hold it against the real runtime.
class MsvcrtRandom {
 public:
  static constexpr int kMax = 0x7FFF;

  explicit MsvcrtRandom(unsigned int seed = 1) : state_(seed) {}
  void Seed(unsigned int seed) { state_ = seed; }
  // The next value, 0 to kMax.
  int Next();

 private:
  std::uint32_t state_;
};

}  // namespace compat
