// The start-up check of the Flash Player control: makes sure a control of version 9 or newer is
// registered, installing and registering the game's own flash.ocx when it is not.
#pragma once

// The version number a control reports carries the major version in its upper 16 bits.
constexpr int kFlashVersion9 = 0x00090000;
// What QueryFlashVersion gives for a control that was created but could not tell its version.
constexpr int kUnansweredFlashVersion = 1;
// Neither of the check's results: no check has run, so the launcher does not offer the update.
constexpr int kFlashCheckNotRun = -1;

class FlashCheck {
 public:
  virtual ~FlashCheck();
  // 1 when a control of version 9 or newer is registered or has just been registered, else 0.
  int CheckFlashControl();
};

// The registered control's version number; 0 when no instance can be created. COM stays
// initialised on this thread after a successful creation and is undone after a failed one.
int QueryFlashVersion();
