// Host: glibc's rand follows another sequence, so the runtime generator is reproduced here.
#include "compat/msvcrt_random.h"

namespace compat {
namespace {
// MSVCRT keeps the seed per thread; a thread that never seeds starts from 1.
thread_local MsvcrtRandom t_generator(1);
}  // namespace

void RuntimeSrand(unsigned int seed) { t_generator.Seed(seed); }

int RuntimeRand() { return t_generator.Next(); }

}  // namespace compat
