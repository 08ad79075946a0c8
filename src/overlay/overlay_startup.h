#pragma once

namespace overlay {

// Shows the loading picture while the room loads.
void ShowLoadingScreen();
// Loads the glyphs and captions of the clock and countdown.
void InitClockOverlay();

}  // namespace overlay
