// The three image decoders against files written by ImageMagick and cjpeg,
// with ImageMagick's own reading of each file as the reference.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "assets/bmp_decoder.h"
#include "assets/jpeg_decoder.h"
#include "assets/tga_decoder.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

// Odd sizes: BMP rows need padding and JPEG blocks are partly outside.
constexpr int kWidth = 37;
constexpr int kHeight = 21;

Bytes ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes FlipRows(const Bytes& pixels, int width, int height, int channels) {
  const size_t row = static_cast<size_t>(width) * channels;
  Bytes flipped(pixels.size());
  for (int y = 0; y < height; ++y)
    std::copy_n(pixels.begin() + row * y, row, flipped.begin() + row * (height - 1 - y));
  return flipped;
}

uint16_t U16(const Bytes& b, size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }

class ImageFiles : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    char name[] = "/tmp/glimmerhall-decoders-XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    dir_ = name;
    // Every channel changes from pixel to pixel and alpha is not constant,
    // so swapped channels, flipped rows and lost alpha all show.
    Bytes rgba;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        for (int value : {x * 7 + y * 3, x * y, 255 - x * 5 + y, x + y * 11})
          rgba.push_back(static_cast<uint8_t>(value));
    WriteFile(dir_ / "pattern.rgba", rgba);
  }
  static void TearDownTestSuite() { fs::remove_all(dir_); }

  static void Run(const std::string& command) {
    const std::string line = "cd '" + dir_.string() + "' && " + command;
    ASSERT_EQ(std::system(line.c_str()), 0) << line;
  }

  // The pattern converted by ImageMagick with the given options, written in
  // the format the file name's extension or the format prefix names.
  static Bytes Convert(const std::string& options, const std::string& file,
                       const std::string& format = "") {
    Run("convert -size " + std::to_string(kWidth) + "x" + std::to_string(kHeight) +
        " -depth 8 rgba:pattern.rgba " + options + " " + format + file);
    return ReadFile(dir_ / file);
  }

  // ImageMagick's reading of a file, top row first, as 8-bit "rgb" or "rgba".
  static Bytes MagickPixels(const std::string& file, const std::string& format = "rgb") {
    Run("convert " + file + " -depth 8 " + format + ":" + file + "." + format);
    return ReadFile(dir_ / (file + "." + format));
  }

  static fs::path dir_;
};

fs::path ImageFiles::dir_;

// ---- TGA

using TgaDecoder = ImageFiles;

TEST_F(TgaDecoder, TrueColourMatchesImageMagicksReading) {
  struct Case {
    const char* options;
    const char* file;
    uint8_t type;
    uint8_t bits;
  };
  const Case cases[] = {
      {"-alpha off -type TrueColor", "t24.tga", 2, 24},
      {"-type TrueColorAlpha", "t32.tga", 2, 32},
      {"-alpha off -type TrueColor -compress RLE", "r24.tga", 10, 24},
      {"-type TrueColorAlpha -compress RLE", "r32.tga", 10, 32},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const Bytes file = Convert(c.options, c.file);
    ASSERT_GE(file.size(), 18u);
    ASSERT_EQ(file[2], c.type);
    ASSERT_EQ(file[16], c.bits);
    ASSERT_EQ(file[17] & 0x20, 0);  // origin at the lower left, as in the archives

    const auto image = assets::DecodeTga(file.data(), file.size());
    ASSERT_TRUE(image);
    const int channels = c.bits / 8;
    EXPECT_EQ(image->channels, channels);
    EXPECT_EQ(image->width, kWidth);
    EXPECT_EQ(image->height, kHeight);
    // ImageMagick keeps a TGA's rows in the order stored and records the
    // lower-left origin only as the picture's orientation, so its raw
    // pixels come in the decoder's order.
    EXPECT_EQ(image->pixels, MagickPixels(c.file, channels == 4 ? "rgba" : "rgb"));
  }
}

// Five bits per colour, kept at the top of each byte, where ImageMagick
// spreads them over the full range: the top five bits agree.
TEST_F(TgaDecoder, SixteenBitsKeepTheTopFiveBitsOfEachColour) {
  for (const char* compress : {"None", "RLE"}) {
    SCOPED_TRACE(compress);
    const std::string file = std::string("d5-") + compress + ".tga";
    const Bytes bytes = Convert(std::string("-alpha off -depth 5 -compress ") + compress, file);
    ASSERT_GE(bytes.size(), 18u);
    ASSERT_EQ(bytes[16], 16);
    const auto image = assets::DecodeTga(bytes.data(), bytes.size());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->channels, 3);
    Bytes expected = MagickPixels(file);
    for (uint8_t& value : expected) value &= 0xF8;
    EXPECT_EQ(image->pixels, expected);
  }
}

TEST_F(TgaDecoder, GreyscaleFailsForItsDepth) {
  const Bytes file = Convert("-alpha off -type Grayscale", "grey.tga");
  ASSERT_GE(file.size(), 18u);
  ASSERT_EQ(file[2], 3);
  ASSERT_EQ(file[16], 8);
  EXPECT_FALSE(assets::DecodeTga(file.data(), file.size()));
}

TEST_F(TgaDecoder, DataEndingBeforeTheLastPixelFails) {
  for (const char* options : {"-alpha off -type TrueColor", "-alpha off -type TrueColor -compress RLE"}) {
    SCOPED_TRACE(options);
    const Bytes file = Convert(options, "cut.tga");
    ASSERT_TRUE(assets::DecodeTga(file.data(), file.size()));
    for (size_t size : {size_t{0}, size_t{10}, size_t{17}, size_t{18}, file.size() / 2, file.size() - 1}) {
      // A copy of exactly that length, so reading past it is a fault the
      // sanitizers and the heap checker can see.
      const Bytes cut(file.begin(), file.begin() + static_cast<long>(size));
      EXPECT_FALSE(assets::DecodeTga(cut.data(), cut.size())) << size << " bytes";
    }
  }
  EXPECT_FALSE(assets::DecodeTga(nullptr, 0));

  // An ID field longer than the file; and a header promising 65535 x 65535
  // pixels with a handful of bytes behind it.
  Bytes header(18, 0);
  header[0] = 200;
  header[2] = 2;
  header[12] = header[14] = 1;
  header[16] = 24;
  EXPECT_FALSE(assets::DecodeTga(header.data(), header.size()));
  for (uint8_t type : {2, 10}) {
    Bytes huge(40, 0xFF);
    std::fill_n(huge.begin(), 18, 0);
    huge[2] = type;
    huge[12] = huge[13] = huge[14] = huge[15] = 0xFF;
    huge[16] = 32;
    EXPECT_FALSE(assets::DecodeTga(huge.data(), huge.size())) << "type " << int(type);
  }
}

// No stored image has a packet running past the last pixel; one that does
// is cut short at it, whatever the packet kind, and nothing it names beyond
// the last pixel is needed.
TEST(TgaRunLength, PacketsRunningPastTheLastPixelAreCutShort) {
  auto header = [](uint16_t w, uint16_t h) {
    Bytes b(18, 0);
    b[2] = 10;
    b[12] = static_cast<uint8_t>(w);
    b[14] = static_cast<uint8_t>(h);
    b[16] = 24;
    return b;
  };
  // A run of 128 pixels into a 3 x 1 picture.
  Bytes run = header(3, 1);
  run.insert(run.end(), {0xFF, 1, 2, 3});
  auto image = assets::DecodeTga(run.data(), run.size());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixels, (Bytes{3, 2, 1, 3, 2, 1, 3, 2, 1}));

  // One literal pixel, then a literal packet of five whose data holds only
  // the one pixel still missing from a 2 x 1 picture.
  Bytes literal = header(2, 1);
  literal.insert(literal.end(), {0x00, 10, 20, 30, 0x04, 40, 50, 60});
  image = assets::DecodeTga(literal.data(), literal.size());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixels, (Bytes{30, 20, 10, 60, 50, 40}));
}

// ---- BMP

using BmpDecoder = ImageFiles;

TEST_F(BmpDecoder, EveryDepthMatchesImageMagicksReading) {
  struct Case {
    const char* options;
    const char* format;
    const char* file;
    uint16_t bits;
    uint32_t compression;
  };
  const Case cases[] = {
      {"-alpha off -type TrueColor", "BMP3:", "b24.bmp", 24, 0},
      {"-alpha off -type Palette -compress None", "BMP3:", "b8.bmp", 8, 0},
      {"-alpha off -type Palette -colors 16 -compress None", "BMP3:", "b4.bmp", 4, 0},
      {"-alpha off -monochrome -compress None", "BMP3:", "b1.bmp", 1, 0},
      {"-type TrueColorAlpha -define bmp3:alpha=true", "BMP3:", "b32.bmp", 32, 0},
      {"-type TrueColorAlpha", "BMP:", "b32v5.bmp", 32, 3},  // longer header, bit-field masks
      {"-alpha off -define bmp:subtype=RGB565", "BMP:", "b16.bmp", 16, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const Bytes file = Convert(c.options, c.file, c.format);
    ASSERT_GE(file.size(), 54u);
    ASSERT_EQ(U16(file, 28), c.bits);
    ASSERT_EQ(U16(file, 30), c.compression);

    std::string error;
    const auto image = assets::DecodeBmp(file.data(), file.size(), error);
    ASSERT_TRUE(image) << error;
    EXPECT_EQ(image->channels, 3);
    EXPECT_EQ(image->width, kWidth);
    EXPECT_EQ(image->height, kHeight);
    EXPECT_EQ(image->pixels, FlipRows(MagickPixels(c.file), kWidth, kHeight, 3));
  }
}

TEST_F(BmpDecoder, TopDownFileGivesTheSameBottomUpRows) {
  const Bytes bottomUp = Convert("-alpha off -type TrueColor", "up.bmp", "BMP3:");
  ASSERT_GE(bottomUp.size(), 54u);
  // The same picture stored top-down: negative height, rows reversed.
  const uint32_t offset = U16(bottomUp, 10);
  const size_t stride = (kWidth * 3 + 3) / 4 * 4;
  ASSERT_EQ(bottomUp.size(), offset + stride * kHeight);
  Bytes topDown = bottomUp;
  const int32_t negative = -kHeight;
  for (int i = 0; i < 4; ++i) topDown[22 + i] = static_cast<uint8_t>(static_cast<uint32_t>(negative) >> (8 * i));
  for (int y = 0; y < kHeight; ++y)
    std::copy_n(bottomUp.begin() + offset + stride * y, stride,
                topDown.begin() + offset + stride * (kHeight - 1 - y));
  WriteFile(dir_ / "down.bmp", topDown);

  std::string error;
  const auto up = assets::DecodeBmp(bottomUp.data(), bottomUp.size(), error);
  const auto down = assets::DecodeBmp(topDown.data(), topDown.size(), error);
  ASSERT_TRUE(up);
  ASSERT_TRUE(down) << error;
  EXPECT_EQ(down->height, kHeight);
  EXPECT_EQ(down->pixels, up->pixels);
  // ImageMagick agrees that the hand-made file shows the same picture.
  EXPECT_EQ(MagickPixels("down.bmp"), MagickPixels("up.bmp"));
}

TEST_F(BmpDecoder, RefusesWhatItCannotReadWithAReason) {
  const Bytes good = Convert("-alpha off -type TrueColor", "good.bmp", "BMP3:");
  ASSERT_GE(good.size(), 54u);
  std::vector<std::pair<std::string, Bytes>> bad;
  for (size_t size : {size_t{0}, size_t{20}, size_t{54}, good.size() - 1})
    bad.emplace_back("cut to " + std::to_string(size), Bytes(good.begin(), good.begin() + static_cast<long>(size)));
  Bytes magic = good;
  magic[0] = 'X';
  bad.emplace_back("no BM", magic);
  Bytes noWidth = good;
  std::fill_n(noWidth.begin() + 18, 4, 0);
  bad.emplace_back("width 0", noWidth);
  Bytes tall = good;
  tall[25] = 0x7F;  // height near 2^31 rows
  bad.emplace_back("height past the data", tall);
  Bytes core = good;
  core[14] = 12;  // the old core header
  bad.emplace_back("core header", core);
  // ImageMagick run-length encodes palette images unless told not to.
  bad.emplace_back("RLE8", Convert("-alpha off -type Palette", "rle.bmp", "BMP3:"));
  ASSERT_EQ(U16(bad.back().second, 30), 1);

  for (const auto& [what, bytes] : bad) {
    std::string error;
    EXPECT_FALSE(assets::DecodeBmp(bytes.data(), bytes.size(), error)) << what;
    EXPECT_FALSE(error.empty()) << what;
  }
}

// ---- JPEG

using JpegDecoder = ImageFiles;

// Both sides use libjpeg-turbo with its default settings, so the pixels
// are expected to agree exactly.
TEST_F(JpegDecoder, ColourAndGreyMatchImageMagicksReading) {
  Convert("-alpha off", "pattern.ppm");
  Run("cjpeg -quality 90 -outfile colour.jpg pattern.ppm");
  Run("cjpeg -quality 90 -grayscale -outfile grey.jpg pattern.ppm");
  for (const char* file : {"colour.jpg", "grey.jpg"}) {
    SCOPED_TRACE(file);
    const Bytes bytes = ReadFile(dir_ / file);
    std::string error;
    const auto image = assets::DecodeJpeg(bytes.data(), bytes.size(), error);
    ASSERT_TRUE(image) << error;
    EXPECT_EQ(image->channels, 3);
    EXPECT_EQ(image->width, kWidth);
    EXPECT_EQ(image->height, kHeight);
    EXPECT_EQ(image->pixels, MagickPixels(file));  // top row first on both sides
  }
}

TEST_F(JpegDecoder, RejectedDataGivesLibjpegsMessage) {
  Convert("-alpha off", "pattern.ppm");
  Run("cjpeg -outfile whole.jpg pattern.ppm");
  const Bytes whole = ReadFile(dir_ / "whole.jpg");
  const Bytes header(whole.begin(), whole.begin() + 100);  // tables without a frame
  const Bytes other = {'B', 'M', 0, 0, 0, 0, 0, 0};
  std::string error;
  EXPECT_FALSE(assets::DecodeJpeg(nullptr, 0, error));
  EXPECT_FALSE(error.empty());
  error.clear();
  EXPECT_FALSE(assets::DecodeJpeg(header.data(), header.size(), error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(assets::DecodeJpeg(other.data(), other.size(), error));
  EXPECT_NE(error.find("Not a JPEG file"), std::string::npos) << error;

  // A decoder that failed once decodes the next image as usual.
  EXPECT_TRUE(assets::DecodeJpeg(whole.data(), whole.size(), error));
}

// libjpeg only warns about a scan that ends early and fills in the rest;
// that is damage to show, not a reason to end the program.
TEST_F(JpegDecoder, ScanCutShortStillGivesTheWholePicture) {
  Convert("-alpha off", "pattern.ppm");
  Run("cjpeg -outfile cut.jpg pattern.ppm");
  const Bytes whole = ReadFile(dir_ / "cut.jpg");
  const Bytes cut(whole.begin(), whole.end() - static_cast<long>(whole.size() / 4));
  std::string error;
  const auto image = assets::DecodeJpeg(cut.data(), cut.size(), error);
  ASSERT_TRUE(image) << error;
  EXPECT_EQ(image->pixels.size(), size_t{kWidth} * kHeight * 3);
}

}  // namespace
