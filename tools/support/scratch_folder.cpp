#include "tools/support/scratch_folder.h"

#include <system_error>

ScratchFolder::ScratchFolder() {
  if (!log_.Ready()) return;
  std::error_code error;
  previous_ = std::filesystem::current_path(error);
  if (error) return;
  std::filesystem::current_path(log_.folder(), error);
  if (!error) folder_ = log_.folder();
}

ScratchFolder::~ScratchFolder() {
  // Back to the caller's folder before the log's folder (and everything placed in it) goes.
  if (folder_.empty()) return;
  std::error_code error;
  std::filesystem::current_path(previous_, error);
}

void ScratchFolder::Place(const std::string& source, const char* relativeName) {
  const std::filesystem::path target = folder_ / relativeName;
  std::error_code error;
  std::filesystem::create_directories(target.parent_path(), error);
  std::filesystem::copy_file(previous_ / source, target, error);
}
