// What the application sets up before it runs its dialog, for the tests that run the dialog in
// their own process: ActiveX hosting, and as a test program needs them, the start-up Flash check
// and the socket library.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "tests/net/scripted_server.h"

namespace testing_support {

class HostingEnvironment : public ::testing::Environment {
 public:
  enum Needs {
    // The start-up check, run from a folder holding the sample game's flash.ocx: it installs that
    // control when none is registered yet, so the dialog's movie has one.
    kFlashControl = 1,
    // Winsock for the test's own servers (the launcher starts and ends its own use of it).
    kSockets = 2,
  };
  explicit HostingEnvironment(int needs) : needs_(needs) {}

  void SetUp() override;
  void TearDown() override { winsock_.reset(); }

 private:
  int needs_;
  std::unique_ptr<net_testing::WinsockSession> winsock_;
};

}  // namespace testing_support
