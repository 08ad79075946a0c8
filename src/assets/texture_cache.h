// The process-wide cache of OpenGL textures, one per image path.
#pragma once

#include <map>
#include <string>

#include "platform/gl_api.h"

namespace assets {

class TextureCache {
 public:
  // The texture name for the image path, loading, decoding and uploading it
  // with a full mipmap chain on first use. The path is the cache key exactly
  // as written (two spellings of one archive member give two textures) and
  // its extension chooses the decoder. With a resource id other than -1 the
  // bytes come from the "CustomData" resource of that id instead of the
  // archives. A missing image gets the default texture; one that is present
  // but cannot be decoded ends the program. A path whose load produced no
  // texture (an extension none of the decoders claims) gives 0 and is tried
  // again on its next request. Needs a current OpenGL context.
  static GLuint Get(const std::string& path, int resourceId = -1);

  // Deletes every cached texture and empties the cache; once, at shutdown,
  // while the context is still current.
  static void Clear();

 private:
  static std::map<std::string, GLuint>& Entries();
};

}  // namespace assets
