#include "tools/gamecheck/picture_file.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "compat/stdio_file.h"
#include "tools/gamecheck/folder_access.h"
#include "tools/gamecheck/png_encoder.h"

namespace {}  // namespace

bool WritePicturePng(const PictureCanvas& canvas, const std::string& path, std::string& error) {
  std::vector<unsigned char> png;
  if (!EncodePng(canvas.Pixels().data(), canvas.Width(), canvas.Height(), png)) {
    error = "cannot encode the picture";
    return false;
  }
  const std::string temporary = path + ".part";
  bool written = false;
  {
    UniqueStdioFile stream(std::fopen(temporary.c_str(), "wb"));
    if (!stream) {
      error = "cannot create " + temporary;
      return false;
    }
    written = std::fwrite(png.data(), 1, png.size(), stream.get()) == png.size();
    written = std::fclose(stream.release()) == 0 && written;
  }
  if (!written) {
    std::remove(temporary.c_str());
    error = "cannot write " + temporary;
    return false;
  }
  if (!folder_access::MoveReplacing(temporary, path)) {
    std::remove(temporary.c_str());
    error = "cannot put the picture in place as " + path;
    return false;
  }
  return true;
}
