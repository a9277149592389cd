// Makes a program the shell's handler of ".html" files while the object lives, so links opened by
// the launcher land in a stand-in that records them.
#pragma once

#include <string>

namespace e2e {

class PageHandler {
 public:
  // `program` is started as "<program>" "%1".
  explicit PageHandler(const std::string& program);
  // Removes the registration and puts back what the user had before.
  ~PageHandler();
  PageHandler(const PageHandler&) = delete;
  PageHandler& operator=(const PageHandler&) = delete;

 private:
  bool hadExtension_ = false;
  std::string previousClass_;
};

}  // namespace e2e
