#include "tools/gamecheck/png_encoder.h"

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wall"
#pragma GCC diagnostic ignored "-Wextra"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#endif
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace {

void Append(void* context, void* data, int size) {
  auto* png = static_cast<std::vector<unsigned char>*>(context);
  const auto* bytes = static_cast<const unsigned char*>(data);
  png->insert(png->end(), bytes, bytes + size);
}

}  // namespace

bool EncodePng(const unsigned char* rgba, int width, int height, std::vector<unsigned char>& png) {
  // The lightest compression: the picture is looked at once, and the tool stays quick.
  stbi_write_png_compression_level = 1;
  stbi_write_force_png_filter = 1;
  return stbi_write_png_to_func(Append, &png, width, height, 4, rgba, width * 4) != 0;
}
