// gamecheck run as a program, as an operator or a build server runs it: on the sample game folder,
// and on copies of it with one problem planted in each.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/game_copy.h"
#include "tests/image/image_test_util.h"
#include "tests/data/run_tool.h"
#include "tests/support/scrambled_files.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;
using testing_support::EditScrambledFile;
using testing_support::GameCopy;
using testing_support::ReadFile;
using testing_support::SampleGameDir;
using testing_support::TempDir;
using testing_support::WriteFile;

const char* const kButtons = "data2/interface/StartUp/Buttons/";
const char* const kSkin = "data2/interface/StartUp/OutSideStartBG.bmp";
const char* const kInsideSkin = "data2/interface/StartUp/InsideStartBG.bmp";
const char* const kBannerBmp = "data2/interface/StartUp/Banner.bmp";
const char* const kBannerTga = "data2/interface/StartUp/Banner.tga";
const char* const kLinks = "ini/play.dat";

struct CheckRun {
  int exitCode = -1;
  std::vector<std::string> problems;  // the report's problem lines
  std::string out;
};

CheckRun RunGamecheck(const std::string& folder, const std::string& options = "") {
  const data_test::ToolRun run = data_test::RunTool(
      GAMECHECK_PROGRAM, options + (options.empty() ? "" : " ") + "\"" + folder + "\"");
  CheckRun result;
  result.exitCode = run.exitCode;
  result.out = run.out;
  std::istringstream lines(run.out);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind("error: ", 0) == 0 || line.rfind("warning: ", 0) == 0) {
      result.problems.push_back(line);
    }
  }
  return result;
}

// Problems of the sample folder that belong to files it does not carry yet; nothing else may be
// reported for it.
// The report's lines beyond those of the sample folder itself.
std::vector<std::string> NewProblems(const CheckRun& run) {
  static const std::vector<std::string> baseline = RunGamecheck(SampleGameDir().string()).problems;
  std::vector<std::string> added;
  for (const std::string& line : run.problems) {
    if (std::find(baseline.begin(), baseline.end(), line) == baseline.end()) added.push_back(line);
  }
  return added;
}

// A 24-bit skin of the sample's size in one grey, with nothing in either key colour.
std::string PlainSkin() {
  image_test::BmpFile bmp;
  bmp.width = 808;
  bmp.height = 581;
  bmp.bits.assign(static_cast<size_t>(((808 * 24 + 31) / 32) * 4) * 581, '\x60');
  return image_test::MakeBmp(bmp);
}

TEST(Gamecheck, TheSampleFolderPassesClean) {
  const CheckRun run = RunGamecheck(SampleGameDir().string());
  EXPECT_EQ(run.exitCode, 0) << run.out;
  EXPECT_TRUE(run.problems.empty()) << run.out;
  EXPECT_NE(run.out.find("ani/play.ani: 7 sections; 7 of 7 buttons with images, 28 of 28 state "
                         "images load\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("data2/interface/StartUp/Banner.tga: 808 x 268, 24 bits with alpha; "
                         "shown where there is no Flash movie\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("  FlashHttp=http://127.0.0.1:8631/flash/flashSetUp.exe  (host 127.0.0.1, "
                         "port 8631, path flash/flashSetUp.exe)\n"),
            std::string::npos)
      << run.out;
}

struct Plant {
  Plant(const char* k, std::function<void(const GameCopy&)> p, std::string line,
        std::string consequence = "")
      : kind(k), plant(std::move(p)), lines{std::move(line)} {
    if (!consequence.empty()) lines.push_back(std::move(consequence));
  }
  const char* kind;
  std::function<void(const GameCopy&)> plant;
  std::vector<std::string> lines;  // the problem lines it adds: its own, and one it leads to
};

TEST(Gamecheck, EachPlantedProblemGivesExactlyItsOwnLine) {
  const std::string imageBox = "Load image failed! Make sure the path \"";
  const std::vector<Plant> plants = {
      {"hover image deleted",
       [&](const GameCopy& game) { game.Remove(std::string(kButtons) + "StanEnt2.tga"); },
       "error: data2/interface/StartUp/Buttons/StanEnt2.tga: missing; it is the hover image of "
       "button StanEnt -> box \"Load image failed! Make sure the path "
       "\"data2/interface/StartUp/Buttons/StanEnt2.tga\" image is OK! \""},
      {"image that decodes as nothing",
       [&](const GameCopy& game) {
         game.Write(std::string(kButtons) + "StanEnt1.tga", std::string(64, 'x'));
       },
       "error: data2/interface/StartUp/Buttons/StanEnt1.tga: decodes neither as TGA (\"Unknown TGA "
       "image type\") nor as BMP (\"Error reading BMP info\"); it is the pressed image of button "
       "StanEnt -> box \"Load image failed! Make sure the path "
       "\"data2/interface/StartUp/Buttons/StanEnt1.tga\" image is OK! \""},
      {"image of a depth no decoder reads",
       [&](const GameCopy& game) {
         image_test::BmpFile bmp;  // 70 bytes: the TGA decoder reads type 70 in its third byte
         bmp.width = 2;
         bmp.bpp = 64;
         bmp.bits = std::string(16, '\x7F');
         game.Write(std::string(kButtons) + "StanEnt1.tga", image_test::MakeBmp(bmp));
       },
       "error: data2/interface/StartUp/Buttons/StanEnt1.tga: decodes neither as TGA (\"Unknown TGA "
       "image type\") nor as BMP (\"bit count not supported\"); it is the pressed image of button "
       "StanEnt -> box \"Load image failed! Make sure the path "
       "\"data2/interface/StartUp/Buttons/StanEnt1.tga\" image is OK! \""},
      {"syntax error in the animation table",
       [&](const GameCopy& game) {
         game.Write("ani/play.ani", game.Read("ani/play.ani") + "\n[Broken name]\nFrameAmount=1\n");
       },
       "error: ani/play.ani: stops at a syntax error; the sections before it are kept, so the "
       "buttons whose sections were not read show no image -> debug.log \"Error Title line [Broken "
       "name] in ani/play.ani\" and box \"Load data file failed! Please make sure the "
       "\"ani/play.ani\" file is under the current folder!\""},
      {"button section missing",
       [&](const GameCopy& game) { game.Replace("ani/play.ani", "[ShoppingMall]", "[Shopping]"); },
       "warning: ani/play.ani: has no [ShoppingMall] section, so button ShoppingMall shows no "
       "image "
       "(its click still acts) -> silently ignored"},
      {"links cut short after a line",
       [&](const GameCopy& game) {
         EditScrambledFile(game / kLinks,
                           [](std::string& links) { links.erase(links.find("FlashHttpHand=")); });
       },
       "warning: ini/play.dat: no FlashHttpHand link in the first section [Links], so no page "
       "opens "
       "for installing Flash by hand -> silently ignored"},
      {"links with a bad title",
       [&](const GameCopy& game) {
         EditScrambledFile(game / kLinks, [](std::string& links) { links += "[bad title\r\n"; });
       },
       "error: ini/play.dat: has a bad title line, which fails the load, so every link stays empty "
       "-> "
       "debug.log \"Error Title  [bad title in ini/play.dat\" and box \"error on open "
       "ini/play.dat.\""},
      {"links stored unscrambled",
       [&](const GameCopy& game) {
         game.Write("ini/play.dat",
                    ReadFile(fs::path(LAUNCHER_SOURCE_DIR) / "sample/ini/play.dat.txt"));
       },
       "warning: ini/play.dat: holds no section, so every link stays empty (it reads as plain "
       "text: "
       "it must be stored scrambled, for example by playdat scramble) -> silently ignored"},
      {"download address without a path",
       [&](const GameCopy& game) {
         EditScrambledFile(game / kLinks, [](std::string& links) {
           const size_t at = links.find("/flash/flashSetUp.exe");
           links.erase(at, std::string("/flash/flashSetUp.exe").size());
         });
       },
       "warning: ini/play.dat: FlashHttp \"http://127.0.0.1:8631\" cannot be split into host, port "
       "and path, so the Flash player cannot be downloaded -> silently ignored"},
      {"installer pin mistyped",
       [&](const GameCopy& game) {
         EditScrambledFile(game / kLinks,
                           [](std::string& links) { links += "FlashHttpSha256=abc\r\n"; });
       },
       "warning: ini/play.dat: FlashHttpSha256 \"abc\" is not 64 hex digits, so the launcher "
       "refuses every download of the Flash player -> silently ignored"},
      {"local page missing", [&](const GameCopy& game) { game.Remove("web/shop.html"); },
       "warning: ini/play.dat: the ShopLink link web\\shop.html names a file missing from the game "
       "folder, so the shop button opens nothing -> silently ignored"},
      {"skin without magenta", [&](const GameCopy& game) { game.Write(kSkin, PlainSkin()); },
       "warning: data2/interface/StartUp/OutSideStartBG.bmp: holds no magenta (255, 0, 255) pixel, "
       "so nothing is cut out: the launcher is a plain 808 x 581 rectangle -> silently ignored"},
      {"skin missing", [&](const GameCopy& game) { game.Remove(kSkin); },
       "error: data2/interface/StartUp/OutSideStartBG.bmp: missing, so the launcher keeps its "
       "template's size, unshaped and blank -> box \"Load image failed! Please make sure the "
       "\"data2/interface/StartUp/OutSideStartBG.bmp\" file path is correct!\""},
      {"banner that decodes as nothing",
       [&](const GameCopy& game) { game.Write(kBannerBmp, std::string(64, 'x')); },
       "warning: data2/interface/StartUp/Banner.bmp: cannot be read, so where there is no Flash "
       "movie its place shows the skin -> debug.log \"Banner picture "
       "data2/interface/StartUp/Banner.bmp not shown: Error reading BMP info\"",
       // The sample's own banner then never shows.
       "warning: data2/interface/StartUp/Banner.tga: is never shown: "
       "data2/interface/StartUp/Banner.bmp is there too, and the BMP wins -> silently ignored"},
      {"banner larger than its place",
       [&](const GameCopy& game) {
         game.Write(kBannerTga, image_test::MakeTga(2, 900, 300, 24, 0, std::string(810000, 'x')));
       },
       "warning: data2/interface/StartUp/Banner.tga: is 900 x 300, larger than the Flash movie's "
       "808 x 268 place: only its top-left 808 x 268 pixels are shown -> silently ignored"},
      {"inside background without white",
       [&](const GameCopy& game) { game.Write(kInsideSkin, PlainSkin()); },
       "warning: data2/interface/StartUp/InsideStartBG.bmp: holds no white (255, 255, 255) pixel, "
       "so nothing is cut out: the inside window is a plain 808 x 581 rectangle -> silently "
       "ignored"},
      {"inside background missing", [&](const GameCopy& game) { game.Remove(kInsideSkin); },
       "error: data2/interface/StartUp/InsideStartBG.bmp: missing, so the inside window beneath "
       "the launcher is neither painted nor shaped -> box \"Load image failed! Please make sure "
       "the \"data2/interface/StartUp/InsideStartBG.bmp\" file path is correct!\""},
      {"shop placed under its skin name",
       [&](const GameCopy& game) { game.Replace("ini/PlayGui.ini", "[Shop]", "[ShoppingMall]"); },
       "warning: ini/PlayGui.ini: [Shop] gives button ShoppingMall no size (0 x 0), so it cannot "
       "be "
       "seen or clicked (a [ShoppingMall] section is there, but this button reads [Shop]) -> "
       "silently ignored"},
      {"buttons overlapping",
       [&](const GameCopy& game) {
         game.Replace("ini/PlayGui.ini", "[OfficialNet]\r\nx=692", "[OfficialNet]\r\nx=642");
       },
       "warning: ini/PlayGui.ini: buttons OfficialNet and Register overlap in 40 x 32 at (642, "
       "316): a click there can run both -> silently ignored"},
      {"button in the cut-out",
       [&](const GameCopy& game) {
         game.Replace("ini/PlayGui.ini", "x=772\r\ny=280", "x=2\r\ny=280");
       },
       "warning: ini/PlayGui.ini: [Exit] places button Exit at (2, 280) 24 x 24, where 25.0% of it "
       "lies in the skin's cut-outs and is not shown -> silently ignored"},
      {"version file missing", [&](const GameCopy& game) { game.Remove("Version.dat"); },
       "error: Version.dat: missing, so the label shows no version -> box \"Error on open "
       "Version.dat.\""},
      {"version file with a line end",
       [&](const GameCopy& game) { game.Write("Version.dat", "2.3.1030\r\n"); },
       "warning: Version.dat: the version \"2.3.1030\\r\\n\" holds a line end or another control "
       "byte, which the label shows as part of it -> silently ignored"},
      {"version file without a terminator",
       [&](const GameCopy& game) { game.Write("Version.dat", std::string(40, '7')); },
       "warning: Version.dat: has no zero byte in its first 32 bytes, so the label shows all 32 "
       "(\"77777777777777777777777777777777\") and nothing of the rest of the file -> silently "
       "ignored",
       // What follows from it where the label stands in the sample.
       "warning: ini/GameSetup.ini: the version label at (592, 538), about 273 x 14 in its font, "
       "reaches outside the 808 x 581 skin: that part is not shown -> silently ignored"},
      {"version label off the skin",
       [&](const GameCopy& game) { game.Replace("ini/GameSetUp.ini", "x=592", "x=760"); },
       "warning: ini/GameSetup.ini: the version label at (760, 538), about 105 x 14 in its font, "
       "reaches outside the 808 x 581 skin: that part is not shown -> silently ignored"},
      {"check tool missing", [&](const GameCopy& game) { game.Remove("Tools/HorseCheck.exe"); },
       "warning: ini/Startgame.ini: names the check tool Tools\\HorseCheck.exe, which is not in "
       "the "
       "launcher's folder, so the CheckHorse button starts nothing -> silently ignored"},
      {"patcher missing", [&](const GameCopy& game) { game.Remove("RozeVazed.exe"); },
       "warning: RozeVazed.exe: missing from the launcher's folder, so both start buttons close "
       "the "
       "launcher and start nothing -> silently ignored"},
  };
  for (const Plant& plant : plants) {
    GameCopy game;
    plant.plant(game);
    const CheckRun run = RunGamecheck(game.Text());
    EXPECT_EQ(NewProblems(run), plant.lines) << plant.kind << "\n" << run.out;
    EXPECT_EQ(run.exitCode, plant.lines[0].rfind("error: ", 0) == 0 ? 1 : 0) << plant.kind;
  }
}

// Files are found as the system finds them, whatever their letter case.
TEST(Gamecheck, LetterCaseOfFileNamesDoesNotMatter) {
  GameCopy game;
  fs::rename(game / "ini", game / "INI");
  fs::rename(game / "INI/PlayGui.ini", game / "INI/PLAYGUI.INI");
  fs::rename(game / "Version.dat", game / "version.DAT");
  fs::rename(game / "data2/interface/StartUp/Buttons", game / "data2/interface/StartUp/buttons");
  const CheckRun run = RunGamecheck(game.Text());
  EXPECT_EQ(run.exitCode, 0) << run.out;
  EXPECT_EQ(NewProblems(run), std::vector<std::string>{}) << run.out;
}

TEST(Gamecheck, AHoverImageTruncatedLinksAndASkinWithoutMagentaAreAllReported) {
  GameCopy game;
  game.Remove(std::string(kButtons) + "StanEnt2.tga");
  const std::string links = game.Read("ini/play.dat");
  game.Write("ini/play.dat", links.substr(0, links.size() * 6 / 10));
  game.Write(kSkin, PlainSkin());
  const CheckRun run = RunGamecheck(game.Text());
  EXPECT_EQ(run.exitCode, 1);
  auto reported = [&](const std::string& start) {
    for (const std::string& line : run.problems) {
      if (line.rfind(start, 0) == 0) return true;
    }
    return false;
  };
  EXPECT_TRUE(
      reported("error: data2/interface/StartUp/Buttons/StanEnt2.tga: missing; it is the "
               "hover image of button StanEnt -> box \"Load image failed!"))
      << run.out;
  EXPECT_TRUE(reported("warning: ini/play.dat: ends inside a line (")) << run.out;
  EXPECT_TRUE(reported("warning: ini/play.dat: no FlashHttp link")) << run.out;
  EXPECT_TRUE(reported("warning: data2/interface/StartUp/OutSideStartBG.bmp: holds no magenta"))
      << run.out;
}

TEST(Gamecheck, JsonHasOneObjectPerProblemAndAFolderThatCannotBeReadExitsWithTwo) {
  GameCopy game;
  game.Remove("Version.dat");
  const CheckRun run = RunGamecheck(game.Text(), "--json");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(
      run.out.find("  {\"file\": \"Version.dat\", \"severity\": \"error\", \"message\": "
                   "\"missing, so the label shows no version\", \"launcher\": \"box \\\"Error "
                   "on open Version.dat.\\\"\", \"box\": \"Error on open Version.dat.\", "
                   "\"log\": null}"),
      std::string::npos)
      << run.out;
  EXPECT_EQ(run.out.front(), '[');
  EXPECT_EQ(run.out.substr(run.out.size() - 2), "]\n");

  TempDir empty;
  EXPECT_EQ(RunGamecheck((empty.path() / "nothing").string()).exitCode, 2);
  WriteFile(empty.path() / "file", "x");
  EXPECT_EQ(RunGamecheck((empty.path() / "file").string()).exitCode, 2);
  EXPECT_EQ(data_test::RunTool(GAMECHECK_PROGRAM, "").exitCode, 2);
}

}  // namespace
