#include "tests/e2e/art_files.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "tests/support/test_support.h"

namespace e2e {

namespace {

uint32_t Le16(const std::string& bytes, size_t at) {
  return static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8;
}

uint32_t Le32(const std::string& bytes, size_t at) {
  return Le16(bytes, at) | Le16(bytes, at + 2) << 16;
}

void PutLe(std::string& bytes, uint32_t value, int count) {
  for (int i = 0; i < count; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

Raster ReadBmp24(const std::filesystem::path& file) {
  const std::string bytes = testing_support::ReadFile(file);
  Raster raster;
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return raster;
  const uint32_t offset = Le32(bytes, 10);
  const int width = static_cast<int32_t>(Le32(bytes, 18));
  const int rawHeight = static_cast<int32_t>(Le32(bytes, 22));
  if (Le16(bytes, 28) != 24 || Le32(bytes, 30) != 0 || width <= 0 || rawHeight == 0) return raster;
  const int height = rawHeight < 0 ? -rawHeight : rawHeight;
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
  if (offset + stride * height > bytes.size()) return raster;
  raster.width = width;
  raster.height = height;
  raster.pixels.resize(static_cast<size_t>(width) * height);
  for (int row = 0; row < height; ++row) {
    const int y = rawHeight > 0 ? height - 1 - row : row;
    const size_t start = offset + stride * row;
    for (int x = 0; x < width; ++x) {
      Rgba& pixel = raster.at(x, y);
      pixel.b = static_cast<uint8_t>(bytes[start + 3 * x]);
      pixel.g = static_cast<uint8_t>(bytes[start + 3 * x + 1]);
      pixel.r = static_cast<uint8_t>(bytes[start + 3 * x + 2]);
    }
  }
  return raster;
}

Raster ReadTga(const std::filesystem::path& file) {
  const std::string bytes = testing_support::ReadFile(file);
  Raster raster;
  if (bytes.size() < 18) return raster;
  const int type = static_cast<uint8_t>(bytes[2]);
  const int depth = static_cast<uint8_t>(bytes[16]);
  const int width = static_cast<int>(Le16(bytes, 12));
  const int height = static_cast<int>(Le16(bytes, 14));
  const bool topFirst = (bytes[17] & 0x20) != 0;
  if ((type != 2 && type != 10) || (depth != 24 && depth != 32) || bytes[1] != 0) return raster;
  const size_t pixelBytes = depth / 8;
  size_t at = 18 + static_cast<uint8_t>(bytes[0]);
  std::vector<Rgba> stream;
  const size_t count = static_cast<size_t>(width) * height;
  auto readPixel = [&](Rgba& pixel) {
    if (at + pixelBytes > bytes.size()) return false;
    pixel.b = static_cast<uint8_t>(bytes[at]);
    pixel.g = static_cast<uint8_t>(bytes[at + 1]);
    pixel.r = static_cast<uint8_t>(bytes[at + 2]);
    pixel.a = depth == 32 ? static_cast<uint8_t>(bytes[at + 3]) : 255;
    at += pixelBytes;
    return true;
  };
  while (stream.size() < count) {
    if (type == 2) {
      Rgba pixel;
      if (!readPixel(pixel)) return raster;
      stream.push_back(pixel);
      continue;
    }
    if (at >= bytes.size()) return raster;
    const int header = static_cast<uint8_t>(bytes[at++]);
    const size_t run = (header & 0x7F) + 1;
    if (header & 0x80) {
      Rgba pixel;
      if (!readPixel(pixel)) return raster;
      stream.insert(stream.end(), run, pixel);
    } else {
      for (size_t i = 0; i < run; ++i) {
        Rgba pixel;
        if (!readPixel(pixel)) return raster;
        stream.push_back(pixel);
      }
    }
  }
  raster.width = width;
  raster.height = height;
  raster.pixels.resize(count);
  for (int row = 0; row < height; ++row) {
    const int y = topFirst ? row : height - 1 - row;
    std::copy_n(stream.begin() + static_cast<ptrdiff_t>(row) * width, width,
                raster.pixels.begin() + static_cast<ptrdiff_t>(y) * width);
  }
  return raster;
}

Raster ReadArt(const std::filesystem::path& file) {
  std::string extension = file.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".tga" ? ReadTga(file) : ReadBmp24(file);
}

Raster Crop(const Raster& raster, int x, int y, int width, int height) {
  Raster part;
  part.width = width;
  part.height = height;
  part.pixels.reserve(static_cast<size_t>(width) * height);
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column)
      part.pixels.push_back(raster.at(x + column, y + row));
  }
  return part;
}

Raster BlendOver(const Raster& image, const Raster& under) {
  Raster result = Crop(under, 0, 0, image.width, image.height);
  auto mix = [](int top, int bottom, int alpha) {
    return static_cast<uint8_t>((top * alpha + bottom * (255 - alpha) + 127) / 255);
  };
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const Rgba& top = image.at(x, y);
      Rgba& out = result.at(x, y);
      out.r = mix(top.r, out.r, top.a);
      out.g = mix(top.g, out.g, top.a);
      out.b = mix(top.b, out.b, top.a);
      out.a = 255;
    }
  }
  return result;
}

namespace {

int Distance(const Rgba& a, const Rgba& b) {
  return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

RasterDifference CompareWhere(const Raster& actual, const Raster& expected, int tolerance,
                              bool opaqueOnly, const Raster* alternative = nullptr) {
  RasterDifference difference;
  if (actual.width != expected.width || actual.height != expected.height) {
    difference.count = -1;
    difference.first = "sizes differ";
    return difference;
  }
  for (int y = 0; y < actual.height; ++y) {
    for (int x = 0; x < actual.width; ++x) {
      const Rgba& a = actual.at(x, y);
      const Rgba& e = expected.at(x, y);
      if (opaqueOnly && e.a != 255) continue;
      if (Distance(a, e) <= tolerance) continue;
      if (alternative != nullptr && Distance(a, alternative->at(x, y)) <= tolerance) continue;
      if (difference.count++ == 0) {
        difference.first = "(" + std::to_string(x) + ", " + std::to_string(y) + ") actual " +
                           std::to_string(a.r) + "," + std::to_string(a.g) + "," +
                           std::to_string(a.b) + " expected " + std::to_string(e.r) + "," +
                           std::to_string(e.g) + "," + std::to_string(e.b);
      }
    }
  }
  return difference;
}

}  // namespace

RasterDifference Compare(const Raster& actual, const Raster& expected, int tolerance) {
  return CompareWhere(actual, expected, tolerance, false);
}

RasterDifference CompareEither(const Raster& actual, const Raster& expected,
                               const Raster& alternative, int tolerance) {
  return CompareWhere(actual, expected, tolerance, false, &alternative);
}

RasterDifference CompareOpaque(const Raster& shown, const Raster& image) {
  return CompareWhere(shown, image, 0, true);
}

std::string EncodeBmp24(const Raster& raster) {
  const uint32_t stride = (static_cast<uint32_t>(raster.width) * 3 + 3) / 4 * 4;
  const uint32_t imageSize = stride * raster.height;
  std::string bytes = "BM";
  PutLe(bytes, 54 + imageSize, 4);
  PutLe(bytes, 0, 4);
  PutLe(bytes, 54, 4);
  PutLe(bytes, 40, 4);
  PutLe(bytes, raster.width, 4);
  PutLe(bytes, raster.height, 4);
  PutLe(bytes, 1, 2);
  PutLe(bytes, 24, 2);
  PutLe(bytes, 0, 4);
  PutLe(bytes, imageSize, 4);
  PutLe(bytes, 2835, 4);
  PutLe(bytes, 2835, 4);
  PutLe(bytes, 0, 4);
  PutLe(bytes, 0, 4);
  for (int y = raster.height - 1; y >= 0; --y) {
    for (int x = 0; x < raster.width; ++x) {
      const Rgba& pixel = raster.at(x, y);
      bytes.push_back(static_cast<char>(pixel.b));
      bytes.push_back(static_cast<char>(pixel.g));
      bytes.push_back(static_cast<char>(pixel.r));
    }
    bytes.append(stride - raster.width * 3, '\0');
  }
  return bytes;
}

}  // namespace e2e
