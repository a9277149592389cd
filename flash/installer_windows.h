// How the Flash Player installer's windows are told apart: dialogs of the system's dialog class
// with these exact titles, and, in its main window, a static text warning that the version being
// installed is out of date. The installer is an outside program; the test bed's stand-in shows
// these same windows.
#pragma once

constexpr const char* kInstallerWindowClass = "#32770";
constexpr const char* kInstallerTitle = "Adobe Flash Player ActiveX 安装";
constexpr const char* kInstallerInstallingTitle = "Adobe Flash Player ActiveX 安装: 正在安装";
constexpr const char* kInstallerFinishedTitle = "Adobe Flash Player ActiveX 安装: 已完成";

constexpr const char* kInstallerStaticClass = "Static";
// The installer's warning matched, whole and byte for byte, as the text of that static.
constexpr const char* kInstallerOutdatedWarning =
    "您正在安装的 Flash Player 不是最新版本。请访问 http://www.adobe.com/go/getflashplayer "
    "下载最新、最安全的版本。";
