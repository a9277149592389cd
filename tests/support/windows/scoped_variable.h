// An environment variable of this process, set for the object's life (the stand-in controls
// refuse to be created when theirs is set; started programs inherit it).
#pragma once
#include <windows.h>

namespace testing_support {

class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    ::SetEnvironmentVariableA(name, value);
  }
  ~ScopedVariable() { ::SetEnvironmentVariableA(name_, nullptr); }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const char* name_;
};

}  // namespace testing_support
