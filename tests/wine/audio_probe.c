/* Shows that the static sound libraries of the Windows build work: decodes an
 * Ogg Vorbis file from memory the way the saver reads its music out of its
 * archive, then starts PortAudio and opens the default output stream.
 *
 * Usage: audio_probe.exe FILE.ogg
 * Prints "key: value" lines. Exit code 0 when the file decoded completely and
 * PortAudio initialised; 1 on a decoding or PortAudio failure; 2 on bad use.
 * Having no output device, or a stream that will not open, is reported but is
 * not a failure: a machine without sound is still a machine the saver runs on. */
/* Only our own callbacks are used; the header's ready-made ones would be
 * unused statics. */
#define OV_EXCLUDE_STATIC_CALLBACKS
#include <portaudio.h>
#include <vorbis/vorbisfile.h>

#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

struct memory_file {
  const unsigned char *data;
  size_t size;
  size_t pos;
};

static size_t memory_read(void *out, size_t size, size_t count, void *source) {
  struct memory_file *f = source;
  size_t left = f->size - f->pos;
  size_t n = size == 0 ? 0 : count;
  if (n * size > left) n = left / size;
  memcpy(out, f->data + f->pos, n * size);
  f->pos += n * size;
  return n;
}

static int memory_seek(void *source, ogg_int64_t offset, int whence) {
  struct memory_file *f = source;
  ogg_int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? (ogg_int64_t)f->pos : (ogg_int64_t)f->size;
  if (whence != SEEK_SET && whence != SEEK_CUR && whence != SEEK_END) return -1;
  if (base + offset < 0 || base + offset > (ogg_int64_t)f->size) return -1;
  f->pos = (size_t)(base + offset);
  return 0;
}

static long memory_tell(void *source) { return (long)((struct memory_file *)source)->pos; }

static unsigned char *read_whole_file(const char *path, size_t *size) {
  FILE *in = fopen(path, "rb");
  unsigned char *data = NULL;
  long length;
  if (!in) return NULL;
  if (fseek(in, 0, SEEK_END) == 0 && (length = ftell(in)) >= 0 && fseek(in, 0, SEEK_SET) == 0) {
    data = malloc(length > 0 ? (size_t)length : 1);
    if (data && fread(data, 1, (size_t)length, in) != (size_t)length) {
      free(data);
      data = NULL;
    }
    *size = (size_t)length;
  }
  fclose(in);
  return data;
}

/* Decodes the whole stream, so that a library that only parses headers
 * correctly but decodes garbage shows up in the frame count and peak. */
static int decode(const char *path) {
  struct memory_file file = {NULL, 0, 0};
  ov_callbacks callbacks = {memory_read, memory_seek, NULL, memory_tell};
  OggVorbis_File vf;
  vorbis_info *info;
  long long decoded = 0;
  double peak = 0.0, sum_squares = 0.0;
  int section = 0, result;

  file.data = read_whole_file(path, &file.size);
  if (!file.data) {
    printf("error: cannot read %s\n", path);
    return 1;
  }
  if ((result = ov_open_callbacks(&file, &vf, NULL, 0, callbacks)) != 0) {
    printf("error: ov_open_callbacks failed (%d)\n", result);
    free((void *)file.data);
    return 1;
  }
  info = ov_info(&vf, -1);
  printf("channels: %d\n", info->channels);
  printf("rate: %ld\n", info->rate);
  printf("total frames: %lld\n", (long long)ov_pcm_total(&vf, -1));
  for (;;) {
    float **pcm;
    long n = ov_read_float(&vf, &pcm, 4096, &section);
    if (n == 0) break;
    if (n < 0) {
      printf("error: ov_read_float failed (%ld) after %lld frames\n", n, decoded);
      ov_clear(&vf);
      free((void *)file.data);
      return 1;
    }
    for (int c = 0; c < info->channels; ++c)
      for (long i = 0; i < n; ++i) {
        double v = pcm[c][i];
        if (fabs(v) > peak) peak = fabs(v);
        sum_squares += v * v;
      }
    decoded += n;
  }
  printf("decoded frames: %lld\n", decoded);
  printf("peak: %.4f\n", peak);
  printf("rms: %.4f\n", decoded ? sqrt(sum_squares / ((double)decoded * info->channels)) : 0.0);
  ov_clear(&vf);
  free((void *)file.data);
  return 0;
}

static int silence(const void *input, void *output, unsigned long frames, const PaStreamCallbackTimeInfo *time,
                   PaStreamCallbackFlags flags, void *user) {
  (void)input, (void)time, (void)flags, (void)user;
  memset(output, 0, frames * 2 * sizeof(float));
  return paContinue;
}

static int play(void) {
  PaError error = Pa_Initialize();
  PaDeviceIndex device;
  PaStream *stream = NULL;
  if (error != paNoError) {
    printf("error: Pa_Initialize failed: %s\n", Pa_GetErrorText(error));
    return 1;
  }
  printf("devices: %d\n", Pa_GetDeviceCount());
  device = Pa_GetDefaultOutputDevice();
  if (device == paNoDevice) {
    printf("default output: no output device\n");
  } else {
    const PaDeviceInfo *info = Pa_GetDeviceInfo(device);
    printf("default output: %s (%s)\n", info->name, Pa_GetHostApiInfo(info->hostApi)->name);
  }
  error = Pa_OpenDefaultStream(&stream, 0, 2, paFloat32, 44100, paFramesPerBufferUnspecified, silence, NULL);
  if (error == paNoError) {
    printf("stream: opened\n");
    Pa_CloseStream(stream);
  } else {
    printf("stream: not opened: %s\n", Pa_GetErrorText(error));
  }
  Pa_Terminate();
  return 0;
}

int main(int argc, char **argv) {
  int failures;
  if (argc != 2) {
    fprintf(stderr, "usage: %s FILE.ogg\n", argv[0]);
    return 2;
  }
  failures = decode(argv[1]);
  failures |= play();
  fflush(stdout);
  return failures;
}
