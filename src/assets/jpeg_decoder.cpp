#include "assets/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>

// jpeglib.h relies on size_t and FILE being declared before it.
#include <jpeglib.h>

#include "app/log.h"

namespace assets {
namespace {

// libjpeg's standard error manager prints and calls exit() on any fatal
// error, which would end the saver without restoring the display. Ours
// keeps the message and jumps back to the decode call instead.
struct ErrorManager {
  jpeg_error_mgr base;  // first, so libjpeg's pointer to it is ours too
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void ExitWithMessage(j_common_ptr cinfo) {
  auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
  manager->base.format_message(cinfo, manager->message);
  std::longjmp(manager->jump, 1);
}

// A GUI program has no console for libjpeg's warnings; the log has room.
void LogWarning(j_common_ptr cinfo) {
  char text[JMSG_LENGTH_MAX];
  cinfo->err->format_message(cinfo, text);
  app::Log("JPEG warning: ", text);
}

// One decode's libjpeg state, owned by the caller of the jump target: the
// target only reaches it through an unchanged pointer, so none of it is
// left indeterminate by the jump, and nothing with a destructor lies
// between the jump and its target.
struct Session {
  jpeg_decompress_struct cinfo{};  // zeroed, so destroying it is safe at any point
  ErrorManager manager{};
};

bool DecodeInto(Session* s, const uint8_t* data, size_t size, DecodedImage* out,
                std::string* error) {
  s->cinfo.err = jpeg_std_error(&s->manager.base);
  s->manager.base.error_exit = ExitWithMessage;
  s->manager.base.output_message = LogWarning;
  if (setjmp(s->manager.jump)) {
    *error = s->manager.message;
    jpeg_destroy_decompress(&s->cinfo);
    return false;
  }
  jpeg_create_decompress(&s->cinfo);
  // An empty range is left for libjpeg to reject, as it would an empty file.
  jpeg_mem_src(&s->cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&s->cinfo, TRUE);
  // Greyscale pictures are widened here too, so every result is RGB.
  s->cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&s->cinfo);
  if (s->cinfo.output_components != 3) {
    *error = "decoder did not deliver RGB";
    jpeg_destroy_decompress(&s->cinfo);
    return false;
  }
  out->channels = 3;
  out->width = static_cast<int>(s->cinfo.output_width);
  out->height = static_cast<int>(s->cinfo.output_height);
  const size_t stride = static_cast<size_t>(s->cinfo.output_width) * 3;
  out->pixels.resize(stride * s->cinfo.output_height);
  while (s->cinfo.output_scanline < s->cinfo.output_height) {
    JSAMPROW row = out->pixels.data() + stride * s->cinfo.output_scanline;
    jpeg_read_scanlines(&s->cinfo, &row, 1);
  }
  jpeg_finish_decompress(&s->cinfo);
  jpeg_destroy_decompress(&s->cinfo);
  return true;
}

}  // namespace

std::optional<DecodedImage> DecodeJpeg(const uint8_t* data, size_t size, std::string& error) {
  Session session;
  DecodedImage image;
  if (!DecodeInto(&session, data, size, &image, &error)) return std::nullopt;
  return image;
}

}  // namespace assets
