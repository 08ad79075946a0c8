// An offscreen OpenGL context on Mesa through EGL: no window system needed.
#pragma once

#include <string>

namespace platform {

class EglOffscreen {
 public:
  EglOffscreen() = default;
  EglOffscreen(const EglOffscreen&) = delete;
  EglOffscreen& operator=(const EglOffscreen&) = delete;
  ~EglOffscreen();

  // Finds an RGBA8 configuration with a 24-bit depth buffer.
  bool ChooseConfig(std::string& error);
  // A pbuffer of the given size and a compatibility-profile context, made current.
  bool CreateContext(int width, int height, std::string& error);
  void Release();
  void Swap();

 private:
  void* display_ = nullptr;
  void* config_ = nullptr;
  void* surface_ = nullptr;
  void* context_ = nullptr;
  bool initialised_ = false;
};

}  // namespace platform
