#include "platform/x11/x11_gamma.h"

#include <cmath>
#include <cstring>

namespace platform {

constexpr int kChannel = kGammaRampSize / 3;

void ResampleGammaChannel(const uint16_t* from, int fromSize, uint16_t* to, int toSize) {
  if (fromSize <= 0 || toSize <= 0) return;
  if (fromSize == 1 || toSize == 1) {
    for (int j = 0; j < toSize; ++j) to[j] = from[0];
    return;
  }
  const double step = static_cast<double>(fromSize - 1) / (toSize - 1);
  for (int j = 0; j < toSize; ++j) {
    const double at = j * step;
    int below = static_cast<int>(at);
    if (below > fromSize - 2) below = fromSize - 2;
    const double fraction = at - below;
    const double value = from[below] + (from[below + 1] - from[below]) * fraction;
    to[j] = static_cast<uint16_t>(std::lround(value));
  }
}

bool X11Gamma::Available() {
  if (checked_ == 0) {
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    const bool present = XRRQueryExtension(display_, &eventBase, &errorBase) &&
                         XRRQueryVersion(display_, &major, &minor);
    // CRTC gamma arrived with version 1.2.
    checked_ = present && (major > 1 || (major == 1 && minor >= 2)) ? 1 : -1;
  }
  return checked_ == 1;
}

std::vector<RRCrtc> X11Gamma::LitCrtcs() {
  std::vector<RRCrtc> lit;
  if (!Available()) return lit;
  XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display_, root_);
  if (!resources) return lit;
  for (int i = 0; i < resources->ncrtc; ++i) {
    XRRCrtcInfo* info = XRRGetCrtcInfo(display_, resources, resources->crtcs[i]);
    if (!info) continue;
    if (info->mode != None && info->noutput > 0 && XRRGetCrtcGammaSize(display_, resources->crtcs[i]) > 1)
      lit.push_back(resources->crtcs[i]);
    XRRFreeCrtcInfo(info);
  }
  XRRFreeScreenResources(resources);
  return lit;
}

bool X11Gamma::Read(uint16_t ramp[kGammaRampSize]) {
  std::vector<CrtcRamp> found;
  for (RRCrtc crtc : LitCrtcs()) {
    XRRCrtcGamma* gamma = XRRGetCrtcGamma(display_, crtc);
    if (!gamma) continue;
    CrtcRamp entry;
    entry.crtc = crtc;
    entry.size = gamma->size;
    entry.red.assign(gamma->red, gamma->red + gamma->size);
    entry.green.assign(gamma->green, gamma->green + gamma->size);
    entry.blue.assign(gamma->blue, gamma->blue + gamma->size);
    XRRFreeGamma(gamma);
    if (entry.size > 1) found.push_back(std::move(entry));
  }
  if (found.empty()) return false;
  const CrtcRamp& first = found.front();
  ResampleGammaChannel(first.red.data(), first.size, ramp, kChannel);
  ResampleGammaChannel(first.green.data(), first.size, ramp + kChannel, kChannel);
  ResampleGammaChannel(first.blue.data(), first.size, ramp + 2 * kChannel, kChannel);
  found_ = std::move(found);
  std::memcpy(foundAsRead_, ramp, sizeof(foundAsRead_));
  haveFound_ = true;
  return true;
}

bool X11Gamma::WriteNative(const CrtcRamp& ramp) {
  XRRCrtcGamma* gamma = XRRAllocGamma(ramp.size);
  if (!gamma) return false;
  std::memcpy(gamma->red, ramp.red.data(), ramp.size * sizeof(uint16_t));
  std::memcpy(gamma->green, ramp.green.data(), ramp.size * sizeof(uint16_t));
  std::memcpy(gamma->blue, ramp.blue.data(), ramp.size * sizeof(uint16_t));
  XRRSetCrtcGamma(display_, ramp.crtc, gamma);
  XRRFreeGamma(gamma);
  return true;
}

bool X11Gamma::Write(const uint16_t ramp[kGammaRampSize]) {
  bool wrote = false;
  if (haveFound_ && std::memcmp(ramp, foundAsRead_, sizeof(foundAsRead_)) == 0) {
    // The ramp handed back is the one we read: put back each CRTC's own,
    // entry for entry, rather than a resampled copy.
    for (const CrtcRamp& native : found_) wrote = WriteNative(native) || wrote;
  } else {
    for (RRCrtc crtc : LitCrtcs()) {
      CrtcRamp scaled;
      scaled.crtc = crtc;
      scaled.size = XRRGetCrtcGammaSize(display_, crtc);
      if (scaled.size <= 1) continue;
      scaled.red.resize(scaled.size);
      scaled.green.resize(scaled.size);
      scaled.blue.resize(scaled.size);
      ResampleGammaChannel(ramp, kChannel, scaled.red.data(), scaled.size);
      ResampleGammaChannel(ramp + kChannel, kChannel, scaled.green.data(), scaled.size);
      ResampleGammaChannel(ramp + 2 * kChannel, kChannel, scaled.blue.data(), scaled.size);
      wrote = WriteNative(scaled) || wrote;
    }
  }
  XSync(display_, False);
  return wrote;
}

}  // namespace platform
