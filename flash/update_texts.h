// What the Flash update flow writes in the launcher's two texts, and where it keeps the installer.
#pragma once

// The tip offered when no usable Flash control was found at start-up; a click on it starts the
// download.
constexpr const char* kFlashTipOffer = "Flash插件需要更新,点击此处下载";
// Formatted with the percentage shown.
constexpr const char* kFlashProgressFormat = "Flash插件版本更新中.......%d%%";
constexpr const char* kFlashConnectTimeout = "连接超时,请手动下载!";
constexpr const char* kFlashOutdated = "官网Flash插件版本过低，请到相关网站下载最新版本!";
// The downloaded installer could not be written whole, so it is not run.
constexpr const char* kFlashSaveFailed = "Flash插件保存失败,请手动下载!";
// The download ended without the whole installer: refused by the server, or cut short.
constexpr const char* kFlashDownloadFailed = "Flash插件下载失败,请手动下载!";
// What came is not a Windows program, or not the installer the game folder pins, so it is
// neither written nor run.
constexpr const char* kFlashVerifyFailed = "Flash插件校验失败,请手动下载!";
// The installer was written but the system would not start it.
constexpr const char* kFlashStartFailed = "Flash插件安装程序无法启动,请手动下载!";
constexpr const char* kFlashManualLink = "手动更新";

// The timer that follows the download and the installer, and its period.
constexpr unsigned FLASH_UPDATE_TIMER = 1000;
constexpr unsigned kFlashUpdatePeriodMs = 1000;
