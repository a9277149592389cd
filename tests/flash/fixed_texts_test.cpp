// The texts the update flow shows and the installer windows it looks for, byte for byte in code
// page 936, written here independently of the headers the launcher and the test bed's stand-in
// installer share: a typo there would otherwise pass every other test.
#include <gtest/gtest.h>

#include <string>

#include "flash/installer_windows.h"
#include "app/startup_files.h"
#include "flash/update_texts.h"

namespace {

TEST(FixedTexts, InstallerWindowsAndFlowTextsAreTheseBytes) {
  const struct {
    const char* name;
    const char* product;
    const char* bytes;
  } texts[] = {
      // Adobe Flash Player ActiveX 安装 (": 正在安装", ": 已完成")
      {"installer", kInstallerTitle, "Adobe Flash Player ActiveX \xb0\xb2\xd7\xb0"},
      {"installing", kInstallerInstallingTitle,
       "Adobe Flash Player ActiveX \xb0\xb2\xd7\xb0: \xd5\xfd\xd4\xda\xb0\xb2\xd7\xb0"},
      {"finished", kInstallerFinishedTitle,
       "Adobe Flash Player ActiveX \xb0\xb2\xd7\xb0: \xd2\xd1\xcd\xea\xb3\xc9"},
      {"dialog class", kInstallerWindowClass, "#32770"},
      // Flash插件版本更新中.......%d%%
      {"progress", kFlashProgressFormat,
       "Flash\xb2\xe5\xbc\xfe\xb0\xe6\xb1\xbe\xb8\xfc\xd0\xc2\xd6\xd0.......%d%%"},
      // 连接超时,请手动下载!
      {"connect timeout", kFlashConnectTimeout,
       "\xc1\xac\xbd\xd3\xb3\xac\xca\xb1,\xc7\xeb\xca\xd6\xb6\xaf\xcf\xc2\xd4\xd8!"},
      // 官网Flash插件版本过低，请到相关网站下载最新版本!
      {"outdated", kFlashOutdated,
       "\xb9\xd9\xcd\xf8"
       "Flash\xb2\xe5\xbc\xfe\xb0\xe6\xb1\xbe\xb9\xfd\xb5\xcd\xa3\xac\xc7\xeb\xb5\xbd\xcf\xe0\xb9"
       "\xd8"
       "\xcd\xf8\xd5\xbe\xcf\xc2\xd4\xd8\xd7\xee\xd0\xc2\xb0\xe6\xb1\xbe!"},
      // 手动更新
      {"manual link", kFlashManualLink, "\xca\xd6\xb6\xaf\xb8\xfc\xd0\xc2"},
      {"installer file", kFlashInstallerPath, ".\\flashSetUp.exe"},
  };
  for (const auto& text : texts) {
    EXPECT_EQ(std::string(text.product), std::string(text.bytes)) << text.name;
  }
}

}  // namespace
