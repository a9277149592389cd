#include "image/bmp_rle.h"

#include <cstddef>
#include <cstdint>

#include "image/image_file.h"

namespace {

// The compressed stream, pulled from the source in blocks: RLE codes are read a byte at a time.
class CodeStream {
 public:
  explicit CodeStream(ImageFile* source) : source_(source) {}

  // False once the source has nothing more to give.
  bool Next(BYTE& value) {
    if (next_ == end_) {
      end_ = source_->Read(buffer_, 1, sizeof buffer_);
      next_ = 0;
      if (end_ == 0) return false;
      delivered_ = true;
    }
    value = buffer_[next_++];
    return true;
  }

  bool Skip() {
    BYTE ignored;
    return Next(ignored);
  }

  // Whether the source had any byte at all.
  bool Delivered() const { return delivered_; }

 private:
  ImageFile* source_;
  BYTE buffer_[4096];
  std::size_t next_ = 0;
  std::size_t end_ = 0;
  bool delivered_ = false;
};

constexpr BYTE kEndOfLine = 0;
constexpr BYTE kEndOfBitmap = 1;
constexpr BYTE kDelta = 2;

// Where the codes have taken the decoder. Offsets are 64-bit: a hostile stream may push x and y
// far beyond the picture, and every store is checked against the area's size.
class RleCursor {
 public:
  RleCursor(BYTE* pixels, DWORD size, DWORD stride, DWORD height)
      : pixels_(pixels), size_(size), stride_(stride), height_(height) {}

  // A run writes into row y. Codes only ever move y forward, so once it is past the last row
  // nothing more of the stream belongs to the picture: false, and the decoder stops.
  bool EnterRow() {
    if (y >= height_) return false;
    rowStart_ = y * stride_;
    return true;
  }
  void EndLine() {
    x = 0;
    ++y;
  }
  void StoreByte(std::uint64_t column, BYTE value) {
    const std::uint64_t offset = rowStart_ + column;
    if (offset < size_) pixels_[offset] = value;
  }
  // Pixel `column` of a 4-bit row: even columns are the high nibble of their byte.
  void StoreNibble(std::uint64_t column, BYTE nibble) {
    const std::uint64_t offset = rowStart_ + column / 2;
    if (offset >= size_) return;
    BYTE& target = pixels_[offset];
    target = (column & 1) ? static_cast<BYTE>((target & 0xF0) | nibble)
                          : static_cast<BYTE>((target & 0x0F) | (nibble << 4));
  }

  std::uint64_t x = 0;  // bytes for RLE8, pixels for RLE4
  std::uint64_t y = 0;

 private:
  BYTE* pixels_;
  std::uint64_t size_;
  std::uint64_t stride_;
  std::uint64_t height_;
  std::uint64_t rowStart_ = 0;
};

// What an escape (a zero count followed by `code`) leaves to the decoder.
enum class EscapeResult { Done, Stop, Literal };

// End of line, end of bitmap and delta mean the same in both encodings; codes 3 and up are literal
// runs, which each encoding unpacks its own way.
EscapeResult FollowEscape(BYTE code, CodeStream& in, RleCursor& at) {
  if (code == kEndOfLine) {
    at.EndLine();
    return EscapeResult::Done;
  }
  if (code == kEndOfBitmap) return EscapeResult::Stop;
  if (code == kDelta) {
    BYTE dx, dy;
    if (!in.Next(dx) || !in.Next(dy)) return EscapeResult::Stop;
    at.x += dx;
    at.y += dy;
    return EscapeResult::Done;
  }
  return EscapeResult::Literal;
}

BYTE HighNibble(BYTE value) { return static_cast<BYTE>(value >> 4); }
BYTE LowNibble(BYTE value) { return static_cast<BYTE>(value & 0x0F); }

// The loop both depths share: an encoded run (a count and a value) or an escape. `run` stores an
// encoded run; `literal` reads and stores an absolute run of `code` pixels and returns false when
// the codes end inside it.
template <class Run, class Literal>
void UnpackRuns(CodeStream& in, RleCursor& at, Run run, Literal literal) {
  for (;;) {
    BYTE count;
    if (!in.Next(count)) return;
    if (count != 0) {
      BYTE value;
      if (!in.Next(value) || !at.EnterRow()) return;
      run(count, value);
      continue;
    }
    BYTE code;
    if (!in.Next(code)) return;
    const EscapeResult escape = FollowEscape(code, in, at);
    if (escape == EscapeResult::Stop) return;
    if (escape == EscapeResult::Literal && (!at.EnterRow() || !literal(code))) return;
  }
}

void Unpack8(CodeStream& in, RleCursor& at) {
  UnpackRuns(
      in, at,
      [&](BYTE count, BYTE value) {
        for (int i = 0; i < count; ++i) at.StoreByte(at.x++, value);
      },
      [&](BYTE code) {
        for (int i = 0; i < code; ++i) {
          BYTE value;
          if (!in.Next(value)) return false;
          at.StoreByte(at.x++, value);
        }
        return (code & 1) == 0 || in.Skip();  // literal runs are padded to whole 16-bit words
      });
}

// Runs are unpacked the standard way: the run's own first pixel takes the high nibble, the next
// the low nibble, and so on, wherever in a byte the run begins. Deltas move by whole pixels.
void Unpack4(CodeStream& in, RleCursor& at) {
  UnpackRuns(
      in, at,
      [&](BYTE count, BYTE value) {
        for (int i = 0; i < count; ++i) {
          at.StoreNibble(at.x++, (i & 1) ? LowNibble(value) : HighNibble(value));
        }
      },
      [&](BYTE code) {
        BYTE value = 0;
        for (int i = 0; i < code; ++i) {
          if ((i & 1) == 0 && !in.Next(value)) return false;
          at.StoreNibble(at.x++, (i & 1) ? LowNibble(value) : HighNibble(value));
        }
        const int dataBytes = (code + 1) / 2;
        return (dataBytes & 1) == 0 || in.Skip();  // padded to whole 16-bit words
      });
}

}  // namespace

bool DecodeRle8(ImageFile* source, BYTE* pixels, DWORD size, DWORD stride, DWORD height) {
  CodeStream in(source);
  RleCursor at(pixels, size, stride, height);
  Unpack8(in, at);
  return in.Delivered();
}

bool DecodeRle4(ImageFile* source, BYTE* pixels, DWORD size, DWORD stride, DWORD height) {
  CodeStream in(source);
  RleCursor at(pixels, size, stride, height);
  Unpack4(in, at);
  return in.Delivered();
}
