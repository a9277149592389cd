// The framework's text class, as far as the launcher uses it: an owned, comparable narrow string.
#pragma once
#include <cstring>
#include <string>

class CString {
 public:
  CString() = default;
  CString(const char* text) : text_(text ? text : "") {}
  CString& operator=(const char* text) {
    text_ = text ? text : "";
    return *this;
  }
  operator const char*() const { return text_.c_str(); }
  int GetLength() const { return static_cast<int>(text_.size()); }
  bool IsEmpty() const { return text_.empty(); }
  // Byte-wise comparison, like strcmp: case-sensitive.
  int Compare(const char* other) const { return std::strcmp(text_.c_str(), other ? other : ""); }

 private:
  std::string text_;
};
