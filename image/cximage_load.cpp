// Loading from a path and decoding with format selection.
#include <cstdio>
#include <cstring>
#include <memory>

#include "image/bmp_decoder.h"
#include "compat/stdio_file.h"
#include "image/cximage.h"
#include "image/image_stdio_file.h"
#include "image/tga_decoder.h"

namespace {

constexpr const char* kUnknownFormat = "Decode: Unknown or wrong format";

bool Run(BmpDecoder& decoder, ImageFile* source) { return decoder.DecodeBmp(source); }
bool Run(TgaDecoder& decoder, ImageFile* source) { return decoder.DecodeTga(source); }

}  // namespace

template <class Decoder>
bool CxImage::DecodeWith(ImageFile* source) {
  Decoder decoder;
  decoder.AdoptSettings(*this);
  if (Run(decoder, source)) return TakeOver(decoder);
  SetLastError(decoder.GetLastError());
  return false;
}

bool CxImage::Decode(ImageFile* source, int type) {
  if (source == nullptr) {
    SetLastError(kUnknownFormat);
    return false;
  }
  switch (type) {
    case ImageTypeBmp:
      return DecodeWith<BmpDecoder>(source);
    case ImageTypeTga:
      return DecodeWith<TgaDecoder>(source);
    case ImageTypeUnknown: {
      const long start = source->Tell();
      if (DecodeWith<BmpDecoder>(source)) return true;
      source->Seek(start, SEEK_SET);
      if (DecodeWith<TgaDecoder>(source)) return true;
      source->Seek(start, SEEK_SET);
      SetLastError(kUnknownFormat);
      return false;
    }
    default:
      SetLastError(kUnknownFormat);
      return false;
  }
}

bool CxImage::Load(const char* path, int type) {
  if (path == nullptr) return false;
  if (type > ImageTypeUnknown && type < 3) {
    UniqueStdioFile stream(std::fopen(path, "rb"));
    if (!stream) return false;
    ImageStdioFile source(stream.get());
    if (Decode(&source, type)) return true;
  }

  // The automatic pass overwrites the message; callers want to see why the decoder they asked
  // for refused the file.
  char saved[sizeof settings.lastError];
  std::memcpy(saved, settings.lastError, sizeof saved);

  UniqueStdioFile stream(std::fopen(path, "rb"));
  if (!stream) return false;
  ImageStdioFile source(stream.get());
  const bool decoded = Decode(&source, ImageTypeUnknown);
  if (!decoded && type != ImageTypeUnknown) SetLastError(saved);
  return decoded;
}
