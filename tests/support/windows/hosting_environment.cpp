#include "tests/support/windows/hosting_environment.h"

#include <filesystem>

#include "flash/flash_check.h"
#include "framework/win_app.h"
#include "tests/support/game_copy.h"
#include "tests/support/test_support.h"

namespace testing_support {

void HostingEnvironment::SetUp() {
  AfxEnableControlContainer();
  if (needs_ & kFlashControl) {
    TempDir folder;
    std::filesystem::copy_file(SampleGameDir() / "flash.ocx", folder.path() / "flash.ocx");
    ScopedCurrentDir here(folder.path());
    FlashCheck check;
    EXPECT_EQ(check.CheckFlashControl(), 1) << "no Flash control for the movie";
  }
  if (needs_ & kSockets) winsock_ = std::make_unique<net_testing::WinsockSession>();
}

}  // namespace testing_support
