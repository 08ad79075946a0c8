// A small off-screen OpenGL context for tests that need real GL and GLU:
// a surfaceless Mesa display with an RGBA8, 24-bit depth pbuffer, made
// current for the lifetime of the object.
#pragma once

#include <string>

class EglTestContext {
 public:
  explicit EglTestContext(int width = 64, int height = 64);
  ~EglTestContext();

  EglTestContext(const EglTestContext&) = delete;
  EglTestContext& operator=(const EglTestContext&) = delete;

  // True once the context is current; otherwise error() says which step failed.
  bool ok() const { return ok_; }
  const std::string& error() const { return error_; }

 private:
  bool Create(int width, int height);

  // EGL handles, kept opaque so that tests need not see the EGL headers.
  void* display_ = nullptr;
  void* surface_ = nullptr;
  void* context_ = nullptr;
  bool ok_ = false;
  std::string error_;
};
