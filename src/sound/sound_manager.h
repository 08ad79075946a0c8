#pragma once

namespace sound {

// Starts the looped music at the chosen volume; true when it plays.
bool StartMusic();
// Stops the music and releases the audio output.
void ShutdownSound();

}  // namespace sound
