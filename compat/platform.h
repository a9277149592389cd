// The Windows names the portable code is written against.
//
// On Windows this is <windows.h> itself. On the host it declares the small subset the portable
// libraries use, with the same names, sizes and layouts, so the same sources build and are tested
// natively. Debugger output and message boxes go to recording sinks on the host (host_sinks.h).
#pragma once

#ifdef _WIN32
#include <windows.h>
#else

#include <cstdint>
#include <cstddef>

typedef int BOOL;
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef std::uint32_t DWORD;
typedef std::int32_t LONG;
typedef unsigned int UINT;
typedef DWORD COLORREF;
typedef void* HWND;
typedef void* HANDLE;
typedef void* HDC;
typedef void* HBITMAP;

#define MAX_PATH 260

#define RGB(r, g, b) \
  ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(rgb) ((BYTE)(rgb))
#define GetGValue(rgb) ((BYTE)(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) ((BYTE)((rgb) >> 16))

struct BITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40, "BITMAPINFOHEADER is 40 bytes");

struct RGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
};

#pragma pack(push, 2)
struct BITMAPFILEHEADER {
  WORD bfType;
  DWORD bfSize;
  WORD bfReserved1;
  WORD bfReserved2;
  DWORD bfOffBits;
};
#pragma pack(pop)
static_assert(sizeof(BITMAPFILEHEADER) == 14, "BITMAPFILEHEADER is 14 bytes");

#define BI_RGB 0
#define BI_RLE8 1
#define BI_RLE4 2
#define BI_BITFIELDS 3

// Kernel services.
DWORD GetTickCount();
void Sleep(DWORD milliseconds);
void OutputDebugStringA(const char* text);

// Message boxes: recorded by the host sink, answered with IDOK.
#define MB_OK 0x00000000u
#define MB_ICONERROR 0x00000010u
#define MB_SYSTEMMODAL 0x00001000u
#define IDOK 1
#define IDCANCEL 2
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);

// Profile (INI) files, answered as the system's profile functions answer (compat/host/profile.cpp).
DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* def, char* buffer,
                               DWORD size, const char* file);
UINT GetPrivateProfileIntA(const char* section, const char* key, int def, const char* file);

#endif
