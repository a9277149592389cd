// Whole files run through the scrambled format, in either direction.
#pragma once

#include <string>

enum class ScrambleDirection { Scramble, Descramble };

// Reads `input` and writes it to `output` scrambled or descrambled, byte i of the file as byte i
// of the format, whatever the length. On failure returns false with a message in `error`, and
// no partial output is left behind.
bool TransformFile(const std::string& input, const std::string& output, ScrambleDirection direction,
                   std::string* error);
