// The test back end: a thread renders the stream at the pace a device would
// take it and writes it as 16-bit stereo WAV, so a run's sound can be
// measured afterwards with ordinary tools.
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "sound/audio_sink.h"

namespace sound {
namespace {

constexpr size_t kBlockFrames = 1024;
constexpr int kBytesPerFrame = 2 * kOutputChannels;

void PutLe32(std::FILE* file, uint32_t value) {
  const unsigned char bytes[4] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                                  static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
  std::fwrite(bytes, 1, 4, file);
}

void PutLe16(std::FILE* file, uint16_t value) {
  const unsigned char bytes[2] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8)};
  std::fwrite(bytes, 1, 2, file);
}

// The header with the sizes so far, so that even a run that ends without
// closing the capture leaves a readable file.
void WriteHeader(std::FILE* file, uint32_t dataBytes) {
  std::fseek(file, 0, SEEK_SET);
  std::fwrite("RIFF", 1, 4, file);
  PutLe32(file, 36 + dataBytes);
  std::fwrite("WAVEfmt ", 1, 8, file);
  PutLe32(file, 16);
  PutLe16(file, 1);  // integer PCM
  PutLe16(file, kOutputChannels);
  PutLe32(file, kOutputRate);
  PutLe32(file, kOutputRate * kBytesPerFrame);
  PutLe16(file, kBytesPerFrame);
  PutLe16(file, 16);
  std::fwrite("data", 1, 4, file);
  PutLe32(file, dataBytes);
  std::fseek(file, 0, SEEK_END);
}

class CaptureSink : public AudioSink {
 public:
  explicit CaptureSink(std::string path) : path_(std::move(path)) {}
  ~CaptureSink() override { Close(); }

  bool Open(Mixer& mixer, std::string& error) override {
    file_ = std::fopen(path_.c_str(), "wb");
    if (!file_) {
      error = "cannot write the capture file " + path_;
      return false;
    }
    WriteHeader(file_, 0);
    running_ = true;
    worker_ = std::thread([this, &mixer] { Run(mixer); });
    return true;
  }

  void Close() override {
    if (!file_) return;
    running_ = false;
    if (worker_.joinable()) worker_.join();
    WriteHeader(file_, dataBytes_);
    std::fclose(file_);
    file_ = nullptr;
  }

 private:
  void Run(Mixer& mixer) {
    const auto start = std::chrono::steady_clock::now();
    std::vector<float> block(kBlockFrames * kOutputChannels);
    std::vector<unsigned char> bytes(kBlockFrames * kBytesPerFrame);
    uint64_t written = 0;
    uint64_t sinceHeader = 0;
    while (running_) {
      const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      const uint64_t due = static_cast<uint64_t>(seconds * kOutputRate);
      while (written + kBlockFrames <= due && running_) {
        mixer.Render(block.data(), kBlockFrames);
        for (size_t i = 0; i < block.size(); ++i) {
          const float clamped = block[i] > 1.0f ? 1.0f : (block[i] < -1.0f ? -1.0f : block[i]);
          const int16_t value = static_cast<int16_t>(std::lround(clamped * 32767.0f));
          bytes[2 * i] = static_cast<unsigned char>(value & 0xFF);
          bytes[2 * i + 1] = static_cast<unsigned char>((value >> 8) & 0xFF);
        }
        std::fwrite(bytes.data(), 1, bytes.size(), file_);
        written += kBlockFrames;
        dataBytes_ += static_cast<uint32_t>(bytes.size());
        sinceHeader += kBlockFrames;
        if (sinceHeader >= static_cast<uint64_t>(kOutputRate)) {
          WriteHeader(file_, dataBytes_);
          std::fflush(file_);
          sinceHeader = 0;
        }
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }

  std::string path_;
  std::FILE* file_ = nullptr;
  std::thread worker_;
  std::atomic<bool> running_{false};
  uint32_t dataBytes_ = 0;
};

}  // namespace

std::unique_ptr<AudioSink> CreateCaptureSink(const std::string& path) { return std::make_unique<CaptureSink>(path); }

std::unique_ptr<AudioSink> CreateAudioSink() {
  const char* capture = std::getenv("GLIMMERHALL_AUDIO_OUT");
  if (capture && *capture) return CreateCaptureSink(capture);
  return CreateDeviceSink();
}

}  // namespace sound
