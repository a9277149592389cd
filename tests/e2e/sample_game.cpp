#include "tests/e2e/sample_game.h"

#include <cstring>

namespace e2e {

const SampleButton& SampleButtonNamed(const char* skinName) {
  for (const SampleButton& button : kSampleButtons) {
    if (std::strcmp(button.skinName, skinName) == 0) return button;
  }
  return kSampleButtons[0];
}

}  // namespace e2e
