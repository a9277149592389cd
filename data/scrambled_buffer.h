// Whole-file contents of a scrambled data file, descrambled in memory and handed out as lines.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

class ScrambledBuffer {
 public:
  static constexpr int kKeyTableSize = 128;
  // Existing data files were scrambled with keys drawn from this seed, so it cannot change.
  static constexpr unsigned int kKeySeed = 7391;

  // Draws the key table. Mind that it reseeds the runtime's generator of the calling thread.
  ScrambledBuffer();
  virtual ~ScrambledBuffer();
  ScrambledBuffer(const ScrambledBuffer&) = delete;
  ScrambledBuffer& operator=(const ScrambledBuffer&) = delete;

  // Reads the whole file in one go and descrambles it; false when nothing usable was read.
  bool Load(const char* path);
  void Release();

  // In place; byte i of `bytes` is taken as byte i of a file.
  void Descramble(unsigned char* bytes, int count) const;
  // The inverse of Descramble, for the tools that produce files for the reader.
  void Scramble(unsigned char* bytes, int count) const;

  // The next line, line feed kept, for the parser to clean; 0 when there is none. A line longer
  // than `size` comes in pieces, and a piece that fills the whole buffer has no terminator, so the
  // caller reads at most `size` bytes of it.
  int ReadLine(char* buffer, int size);

  const unsigned char* Data() const { return data.get(); }
  int Size() const { return size; }
  int Position() const { return position; }
  const unsigned char* Keys() const { return KeyTable; }

 private:
  struct FreeBlock {
    void operator()(unsigned char* block) const { std::free(block); }
  };

  std::unique_ptr<unsigned char[], FreeBlock> data;
  std::int32_t size = 0;
  std::int32_t position = 0;
  unsigned char KeyTable[kKeyTableSize];
};
