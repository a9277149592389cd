#include "testbed/standin_common.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "compat/windows/file_handles.h"

namespace {

const char* g_text = "";

LRESULT CALLBACK BusyWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(hwnd, &paint);
      RECT client;
      ::GetClientRect(hwnd, &client);
      ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
      ::SetTextColor(dc, RGB(236, 204, 128));
      ::SetBkMode(dc, TRANSPARENT);
      ::DrawTextA(dc, g_text, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      ::EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_TIMER:
      ::DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

}  // namespace

void AppendRunRecord(const char* logName, const char* extra) {
  char path[MAX_PATH * 2] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  char* separator = std::strrchr(path, '\\');
  if (separator != nullptr) separator[1] = '\0';
  std::strncat(path, logName, sizeof path - std::strlen(path) - 1);

  char directory[MAX_PATH] = {};
  ::GetCurrentDirectoryA(sizeof directory, directory);

  char line[MAX_PATH * 4];
  std::snprintf(line, sizeof line, "%s\t%s%s%s\r\n", ::GetCommandLineA(), directory,
                extra != nullptr ? "\t" : "", extra != nullptr ? extra : "");
  // Two stand-ins started together must not lose a record: the line goes out in one write to a
  // handle opened for appending only, which the system always places at the end of the file.
  const UniqueFileHandle log(::CreateFileA(path, FILE_APPEND_DATA,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!log) return;
  DWORD written = 0;
  ::WriteFile(log.get(), line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
}

void ShowBusyWindow(const char* title, const char* text, DWORD milliseconds) {
  if (const char* override = std::getenv("STANDIN_SHOW_MS")) {
    milliseconds = static_cast<DWORD>(std::strtoul(override, nullptr, 10));
  }
  if (milliseconds == 0) return;
  g_text = text;

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = BusyWindowProc;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = "StandInBusyWindow";
  ::RegisterClassA(&windowClass);

  const int width = 420, height = 90;
  const int x = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  HWND hwnd = ::CreateWindowExA(WS_EX_TOPMOST, windowClass.lpszClassName, title,
                                WS_POPUP | WS_BORDER | WS_VISIBLE, x, y, width, height, nullptr,
                                nullptr, windowClass.hInstance, nullptr);
  if (hwnd == nullptr) return;
  ::SetTimer(hwnd, 1, milliseconds, nullptr);
  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}
