// The display's gamma ramp through XRandR's per-CRTC gamma. The saver speaks
// of one ramp of 3 x 256 entries; the CRTCs may hold other lengths, so the
// ramps read at start-up are kept in their own length as well and written
// back unchanged when the saver hands back the ramp it was given.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace platform {

// Linear interpolation of one channel from `fromSize` entries to `toSize`;
// the first and last entries map onto each other.
void ResampleGammaChannel(const uint16_t* from, int fromSize, uint16_t* to, int toSize);

class X11Gamma {
 public:
  X11Gamma(Display* display, Window root) : display_(display), root_(root) {}

  // The ramp of the first lit CRTC, in 256 entries per channel.
  bool Read(uint16_t ramp[kGammaRampSize]);
  // Loads the ramp into every lit CRTC.
  bool Write(const uint16_t ramp[kGammaRampSize]);

 private:
  struct CrtcRamp {
    RRCrtc crtc = 0;
    int size = 0;
    std::vector<uint16_t> red, green, blue;
  };

  bool Available();
  std::vector<RRCrtc> LitCrtcs();
  bool WriteNative(const CrtcRamp& ramp);

  Display* display_;
  Window root_;
  int checked_ = 0;  // 0 not yet asked, 1 usable, -1 missing or too old
  std::vector<CrtcRamp> found_;  // as read, in each CRTC's own length
  uint16_t foundAsRead_[kGammaRampSize] = {};
  bool haveFound_ = false;
};

}  // namespace platform
