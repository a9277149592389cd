// CFile and CStdioFile: a file on the runtime library's buffered streams, as far as the launcher
// writes files through them. Failures come back as results, never as exceptions.
#pragma once
#include <cstdio>

class CFile {
 public:
  // Open flags, with the framework's values.
  enum OpenFlags : unsigned {
    modeWrite = 0x0001,
    modeCreate = 0x1000,
    typeBinary = 0x8000,
  };

  CFile() = default;
  virtual ~CFile() = default;
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;
};

class CStdioFile : public CFile {
 public:
  CStdioFile() = default;
  // Closes a file still open (a failure to do so goes unnoticed there; call Close to see it).
  ~CStdioFile() override;

  // modeCreate | modeWrite | typeBinary creates the file, or truncates it, for bytes written as
  // they are: the one way the launcher opens a file, and the only one supported.
  bool Open(const char* fileName, unsigned flags);
  // Writes all `count` bytes; false when any of them could not be written.
  bool Write(const void* data, unsigned count);
  // Flushes and closes; false when the buffered bytes could not be written out.
  bool Close();

  FILE* m_pStream = nullptr;
};
