// The key generator, the scrambled format and the line reader in both modes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "compat/msvcrt_random.h"
#include "data/scrambled_file.h"
#include "tests/support/scrambled_files.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::ScopedCurrentDir;
using testing_support::Scrambled;
using testing_support::TempDir;
using testing_support::WriteFile;

// Low bytes of MSVCRT's rand after srand(7391), as measured on Windows and Wine.
const int kKeyStart[] = {110, 103, 33, 180, 162, 17, 138, 125};
// MSVCRT's rand on a thread that never seeded it.
const int kUnseededStart[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};

TEST(KeyGenerator, RuntimeAndPortableGeneratorsGiveTheMsvcrtSequence) {
  compat::MsvcrtRandom portable(ScrambledBuffer::kKeySeed);
  compat::RuntimeSrand(ScrambledBuffer::kKeySeed);
  for (int expected : kKeyStart) {
    EXPECT_EQ(portable.Next() & 0xFF, expected);
    EXPECT_EQ(compat::RuntimeRand() & 0xFF, expected);
  }
  // On Windows the runtime generator is MSVCRT's own, so this holds the reproduction against it.
  compat::RuntimeSrand(12345);
  portable.Seed(12345);
  for (int i = 0; i < 100000; ++i)
    ASSERT_EQ(compat::RuntimeRand(), portable.Next()) << "value " << i;
}

TEST(KeyGenerator, EachThreadHasItsOwnSequenceStartingFromSeedOne) {
  compat::RuntimeSrand(ScrambledBuffer::kKeySeed);
  std::vector<int> drawn;
  std::thread other([&drawn] {
    for (size_t i = 0; i < std::size(kUnseededStart); ++i) drawn.push_back(compat::RuntimeRand());
  });
  other.join();
  EXPECT_EQ(drawn, std::vector<int>(std::begin(kUnseededStart), std::end(kUnseededStart)));
  EXPECT_EQ(compat::RuntimeRand() & 0xFF, kKeyStart[0])
      << "the seeded thread's sequence is untouched";
}

TEST(KeyTable, EveryReaderDrawsTheSameTable) {
  const ScrambledBuffer first;
  compat::RuntimeSrand(1);  // whatever happened to the generator in between
  const ScrambledBuffer second;
  EXPECT_EQ(std::memcmp(first.Keys(), second.Keys(), ScrambledBuffer::kKeyTableSize), 0);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(first.Keys()[i], kKeyStart[i]);
}

TEST(ScrambledFormat, KeyRepeatsEvery128BytesAndRotationEvery8) {
  const ScrambledBuffer buffer;
  const unsigned char* key = buffer.Keys();
  std::vector<unsigned char> bytes(131, 0);
  // 0x81 rotated left by 0, 1 and 2 bits is 0x81, 0x03 and 0x06.
  bytes[0] = 0x81 ^ key[0];
  bytes[9] = 0x03 ^ key[9];
  bytes[130] = 0x06 ^ key[2];
  buffer.Descramble(bytes.data(), static_cast<int>(bytes.size()));
  EXPECT_EQ(bytes[0], 0x81);
  EXPECT_EQ(bytes[9], 0x81);
  EXPECT_EQ(bytes[130], 0x81);
}

TEST(ScrambledFormat, ScramblingThenDescramblingGivesEveryLengthBack) {
  const ScrambledBuffer buffer;
  for (int length = 0; length <= 300; ++length) {
    std::vector<unsigned char> original(static_cast<size_t>(length));
    for (int i = 0; i < length; ++i)
      original[static_cast<size_t>(i)] = static_cast<unsigned char>(i * 37 + length);
    std::vector<unsigned char> bytes = original;
    buffer.Scramble(bytes.data(), length);
    if (length >= 16) {
      EXPECT_NE(bytes, original) << length;
    }
    buffer.Descramble(bytes.data(), length);
    ASSERT_EQ(bytes, original) << "length " << length;
  }
}

class ReaderTest : public ::testing::Test {
 protected:
  TempDir dir_;
  ScopedCurrentDir here_{dir_.path()};
};

TEST_F(ReaderTest, ScrambledLinesComeInPiecesOfTheBufferSize) {
  WriteFile("pieces.dat", Scrambled("ab\r\ncdefgh\nij"));
  ScrambledFile reader;
  ASSERT_EQ(reader.Open("pieces.dat", ScrambledFile::ModeScrambled), 1);
  char buffer[5];
  const auto next = [&](int expected, const char* text) {
    std::memset(buffer, '#', sizeof buffer);
    ASSERT_EQ(reader.ReadLine(buffer, 4), expected);
    EXPECT_EQ(std::string(buffer, 4).substr(0, static_cast<size_t>(expected)), text);
    EXPECT_EQ(buffer[4], '#') << "nothing is written past the size";
    if (expected < 4) {
      EXPECT_EQ(buffer[expected], '\0');
    }
  };
  next(4, "ab\r\n");  // fills all four bytes: no terminator
  next(4, "cdef");
  next(3, "gh\n");
  next(2, "ij");  // last line without a line feed
  next(0, "");
  next(0, "");
}

TEST_F(ReaderTest, AfterAFinalLineFeedTheBufferIsLeftEmpty) {
  WriteFile("final.dat", Scrambled("one\n"));
  ScrambledFile reader;
  ASSERT_EQ(reader.Open("final.dat", ScrambledFile::ModeScrambled), 1);
  char buffer[16];
  EXPECT_EQ(reader.ReadLine(buffer, sizeof buffer), 4);
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(reader.ReadLine(buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "");
}

TEST_F(ReaderTest, PlainModeKeepsCarriageReturns) {
  WriteFile("plain.txt", "a\r\nb");
  ScrambledFile reader;
  ASSERT_EQ(reader.Open("plain.txt", ScrambledFile::ModePlain), 1);
  char buffer[16];
  EXPECT_EQ(reader.ReadLine(buffer, sizeof buffer), 3);
  EXPECT_STREQ(buffer, "a\r\n");
  EXPECT_EQ(reader.ReadLine(buffer, sizeof buffer), 1);
  EXPECT_EQ(reader.ReadLine(buffer, sizeof buffer), 0);
}

TEST_F(ReaderTest, OpenFailuresAndUnknownModes) {
  WriteFile("empty.dat", "");
  WriteFile("text.txt", "x\n");
  ScrambledFile reader;
  char buffer[16];
  EXPECT_EQ(reader.Open("empty.dat", ScrambledFile::ModeScrambled), 0)
      << "an empty file never loads";
  EXPECT_EQ(reader.Open("missing.dat", ScrambledFile::ModeScrambled), 0);
  EXPECT_EQ(reader.Open("missing.dat", ScrambledFile::ModePlain), 0);
  EXPECT_EQ(reader.ReadLine(buffer, sizeof buffer), 0);

  EXPECT_EQ(reader.Open("text.txt", 2), 0);
  EXPECT_EQ(reader.Mode(), 2);
  EXPECT_EQ(reader.ReadLine(buffer, sizeof buffer), 0);
  reader.Close();
  EXPECT_EQ(reader.Open(nullptr, ScrambledFile::ModePlain), 0);
  EXPECT_EQ(reader.Mode(), 2) << "a null path leaves the mode alone";

  ASSERT_EQ(reader.Open("text.txt", ScrambledFile::ModePlain), 1);
  EXPECT_EQ(reader.ReadLine(nullptr, 16), 0);
  EXPECT_EQ(reader.ReadLine(buffer, 0), 0);
  EXPECT_EQ(reader.ReadLine(buffer, sizeof buffer), 2) << "bad arguments consumed nothing";
}

TEST_F(ReaderTest, AFileThatCannotBeReadWholeLeavesNoBlock) {
  // Opening a folder succeeds with some runtimes, and its read then fails.
  std::filesystem::create_directory("folder.dat");
  ScrambledFile reader;
  EXPECT_EQ(reader.Open("folder.dat", ScrambledFile::ModeScrambled), 0);
  EXPECT_EQ(reader.Buffer().Data(), nullptr);
  EXPECT_EQ(reader.Buffer().Size(), 0);
  char buffer[16];
  EXPECT_EQ(reader.ReadLine(buffer, sizeof buffer), 0);
}

}  // namespace
