// Skin files read into DIB sections draw exactly the pixels the system's loader makes of them.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "compat/windows/gdi_handles.h"
#include "skin/bitmap_file.h"
#include "tests/support/test_support.h"

namespace fs = std::filesystem;

namespace {

using Bitmap = UniqueGdiObject<HBITMAP>;

Bitmap SystemLoaded(const std::string& path) {
  return Bitmap(static_cast<HBITMAP>(
      ::LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
}

// The bitmap as it draws onto 32-bit rows (its size first), so bitmaps of any format compare.
std::vector<DWORD> Drawn(HBITMAP bitmap) {
  BITMAP info{};
  ::GetObjectA(bitmap, sizeof info, &info);
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  format.bmiHeader.biWidth = info.bmWidth;
  format.bmiHeader.biHeight = -info.bmHeight;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const Bitmap target(::CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
  const UniqueMemoryDc from(::CreateCompatibleDC(nullptr));
  const UniqueMemoryDc to(::CreateCompatibleDC(nullptr));
  std::vector<DWORD> pixels{static_cast<DWORD>(info.bmWidth), static_cast<DWORD>(info.bmHeight)};
  if (!target || bits == nullptr) return pixels;
  {
    const GdiSelection source(from.get(), bitmap);
    const GdiSelection destination(to.get(), target.get());
    ::BitBlt(to.get(), 0, 0, info.bmWidth, info.bmHeight, from.get(), 0, 0, SRCCOPY);
  }
  ::GdiFlush();
  const DWORD* rows = static_cast<const DWORD*>(bits);
  pixels.insert(pixels.end(), rows, rows + static_cast<size_t>(info.bmWidth) * info.bmHeight);
  return pixels;
}

std::vector<std::string> CorpusFiles() {
  std::vector<std::string> files;
  const fs::path corpus = testing_support::TestDataDir() / "bmpsuite";
  for (const char* folder : {"g", "b", "x"}) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(corpus / folder, error)) {
      if (entry.path().extension() == ".bmp") files.push_back(entry.path().string());
    }
  }
  return files;
}

TEST(LoadBitmapSection, EveryFileItTakesDrawsAsTheSystemsLoaderDoes) {
  const std::vector<std::string> files = CorpusFiles();
  if (files.empty()) GTEST_SKIP() << "outside test data not found at " LAUNCHER_TESTDATA_DIR;
  std::set<std::string> taken;
  for (const std::string& path : files) {
    SCOPED_TRACE(path);
    const Bitmap section(LoadBitmapSection(path.c_str()));
    if (!section) continue;
    taken.insert(fs::path(path).filename().string());
    // A file the system refuses must not become a skin now.
    const Bitmap system = SystemLoaded(path);
    ASSERT_TRUE(system);
    EXPECT_EQ(Drawn(section.get()), Drawn(system.get()));
  }
  // The formats skins come in take the fast way: paletted, true colour, masked, every header.
  for (const char* file :
       {"pal4.bmp", "pal8.bmp", "pal8-0.bmp", "pal8v4.bmp", "pal8v5.bmp", "pal8w125.bmp",
        "rgb16.bmp", "rgb16-565.bmp", "rgb24.bmp", "rgb32.bmp", "rgb32bf.bmp"}) {
    EXPECT_EQ(taken.count(file), 1u) << file;
  }
  // What a section would draw otherwise, or what is not all there, is left to the system.
  for (const char* file :
       {"pal1.bmp", "pal4rle.bmp", "pal8rle.bmp", "pal8os2.bmp", "pal8topdown.bmp", "shortfile.bmp",
        "badpalettesize.bmp", "reallybig.bmp"}) {
    EXPECT_EQ(taken.count(file), 0u) << file;
  }
}

TEST(LoadBitmapFile, FallsBackToTheSystemsLoaderAndFailsOnlyWhereItFails) {
  const fs::path corpus = testing_support::TestDataDir() / "bmpsuite";
  if (!fs::exists(corpus)) GTEST_SKIP() << "outside test data not found at " LAUNCHER_TESTDATA_DIR;
  const std::string compressed = (corpus / "g" / "pal8rle.bmp").string();
  const Bitmap loaded(LoadBitmapFile(compressed.c_str()));
  ASSERT_TRUE(loaded);
  EXPECT_EQ(Drawn(loaded.get()), Drawn(SystemLoaded(compressed).get()));
  EXPECT_FALSE(Bitmap(LoadBitmapFile((corpus / "no such skin.bmp").string().c_str())));
}

TEST(LoadBitmapSection, TheSampleSkinsAreSectionsThatDrawAsBefore) {
  for (const char* file : {"OutSideStartBG.bmp", "InsideStartBG.bmp"}) {
    const std::string path =
        std::string(LAUNCHER_GAME_DIR) + "\\data2\\interface\\StartUp\\" + file;
    const Bitmap section(LoadBitmapSection(path.c_str()));
    ASSERT_TRUE(section) << file;
    EXPECT_EQ(Drawn(section.get()), Drawn(SystemLoaded(path).get())) << file;
  }
}

}  // namespace
