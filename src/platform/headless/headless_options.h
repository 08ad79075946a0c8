// Options of the headless runner: a fixed picture size, a virtual clock,
// scripted input and PNG snapshots, so runs are repeatable.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

enum class ScriptedEventKind { Key, Click, Move, Close };

struct ScriptedEvent {
  long frame = 0;  // delivered once this many frames have been drawn
  ScriptedEventKind kind = ScriptedEventKind::Close;
  int key = 0;
  Point position;
};

struct SnapshotRequest {
  long frame = 0;
  std::string file;
};

struct HeadlessOptions {
  int width = 1024;
  int height = 768;
  long frames = 100;  // the run is closed after this many frames
  bool fixedFrameTime = false;
  double frameTimeTicks = 0.0;
  bool fixedClock = false;
  LocalTime clock;
  bool seeded = false;
  unsigned seed = 0;
  std::vector<SnapshotRequest> snapshots;
  long snapshotEvery = 0;
  std::string snapshotDir;
  std::vector<ScriptedEvent> events;  // sorted by frame, stable
  std::string frameTimesFile;
  // Test aids: the renderer paths without the vertex buffer or without
  // occlusion queries, the room without particles (for comparisons), and
  // the camera path shown first (-1: drawn at random).
  bool noVertexBuffer = false;
  bool noOcclusionQueries = false;
  bool noParticles = false;
  long firstCamera = -1;
  // A stand-in for the display's gamma ramp: read from this file when the
  // ramp is asked for and rewritten whenever it is set (768 little-endian
  // 16-bit entries). Without it the ramp cannot be read and setting it
  // changes nothing.
  std::string gammaRampFile;
  // Closes the run after this much real time (0: by the frame count only),
  // for tests that need a run of a given length, such as the music's capture.
  double runSeconds = 0.0;
};

// Takes the runner's options out of args (the first element, the program,
// stays). Anything it does not know is left for the run-mode switches.
// Returns false with a message for a malformed value.
bool TakeHeadlessOptions(std::vector<std::string>& args, HeadlessOptions& options,
                         std::string& error);

// "YYYY-MM-DD HH:MM:SS"; fills the day of the week too.
bool ParseLocalTime(const std::string& text, LocalTime& time);

}  // namespace platform
