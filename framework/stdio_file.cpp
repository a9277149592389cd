#include "framework/stdio_file.h"

CStdioFile::~CStdioFile() {
  if (m_pStream != nullptr) std::fclose(m_pStream);
}

bool CStdioFile::Open(const char* fileName, unsigned flags) {
  if (m_pStream != nullptr || fileName == nullptr) return false;
  if (flags != (modeCreate | modeWrite | typeBinary)) return false;
  m_pStream = std::fopen(fileName, "wb");
  return m_pStream != nullptr;
}

bool CStdioFile::Write(const void* data, unsigned count) {
  if (m_pStream == nullptr || (data == nullptr && count != 0)) return false;
  return std::fwrite(data, 1, count, m_pStream) == count;
}

bool CStdioFile::Close() {
  if (m_pStream == nullptr) return false;
  const bool written = std::fflush(m_pStream) == 0 && !std::ferror(m_pStream);
  const bool closed = std::fclose(m_pStream) == 0;
  m_pStream = nullptr;
  return written && closed;
}
