// Windows: the runtime's own generator (srand and rand imported from MSVCRT.DLL).
#include <cstdlib>

#include "compat/msvcrt_random.h"

namespace compat {

void RuntimeSrand(unsigned int seed) { std::srand(seed); }

int RuntimeRand() { return std::rand(); }

}  // namespace compat
