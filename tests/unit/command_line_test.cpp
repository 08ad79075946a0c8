#include "app/command_line.h"

#include <gtest/gtest.h>

#include "app/run_mode.h"

namespace {

struct Parsed {
  int32_t mode;
  int32_t parent;
};

Parsed Parse(const char* line, int32_t parentBefore = -7) {
  int32_t parent = parentBefore;
  const int32_t mode = app::ParseCommandLine(line, parent);
  return {mode, parent};
}

TEST(CommandLine, NoArgumentsMeansConfigure) {
  EXPECT_EQ(Parse("glimmerhall.scr").mode, app::kModeConfigure);
  EXPECT_EQ(Parse("glimmerhall.scr   ").mode, app::kModeConfigure);
  EXPECT_EQ(Parse("\"C:\\Saver Files\\glimmerhall.scr\"").mode, app::kModeConfigure);
  EXPECT_EQ(Parse("").mode, app::kModeConfigure);
  EXPECT_EQ(Parse("x.scr", 0).parent, 0);
}

TEST(CommandLine, RunSwitchesAndUnknownLetters) {
  for (const char* line : {"x.scr /s", "x.scr /S", "x.scr -s", "x.scr /s:99", "x.scr /q",
                           "x.scr /", "x.scr -", "x.scr --root", "x.scr /x 12"}) {
    const Parsed parsed = Parse(line);
    EXPECT_EQ(parsed.mode, app::kModeRun) << line;
    EXPECT_EQ(parsed.parent, -7) << line << ": Run reads no number";
  }
}

TEST(CommandLine, PreviewReadsTheWindowNumber) {
  for (const char* line : {"x.scr /p 4242", "x.scr /p:4242", "x.scr /P4242", "x.scr -p  4242x"}) {
    const Parsed parsed = Parse(line);
    EXPECT_EQ(parsed.mode, app::kModePreview) << line;
    EXPECT_EQ(parsed.parent, 4242) << line;
  }
  // Without a number the parent keeps its value; /t never reads one.
  EXPECT_EQ(Parse("x.scr /p", 0).parent, 0);
  EXPECT_EQ(Parse("x.scr /p", 55).parent, 55);
  const Parsed t = Parse("x.scr /t 99", 3);
  EXPECT_EQ(t.mode, app::kModePreview);
  EXPECT_EQ(t.parent, 3);
}

TEST(CommandLine, ConfigureReadsOrClearsTheWindowNumber) {
  const Parsed withNumber = Parse("x.scr /c:4242");
  EXPECT_EQ(withNumber.mode, app::kModeConfigure);
  EXPECT_EQ(withNumber.parent, 4242);
  EXPECT_EQ(Parse("x.scr /C", 99).parent, 0);
}

TEST(CommandLine, AbsurdWindowNumbersWrapAsSigned32Bit) {
  EXPECT_EQ(Parse("x.scr /p 2147483648").parent, INT32_MIN);
  EXPECT_EQ(Parse("x.scr /p 4294967297").parent, 1);
  EXPECT_EQ(Parse("x.scr /p 99999999999999999999999").mode, app::kModePreview);
}

TEST(CommandLine, ProgramPathIsSkipped) {
  // A quoted path may hold switch characters; the switch after it decides.
  EXPECT_EQ(Parse("\"C:\\my-saver/p\\x.scr\" /s").mode, app::kModeRun);
  EXPECT_EQ(Parse("\"C:\\my-saver\\x.scr\"").mode, app::kModeConfigure);
  // Unquoted, the path ends at the first space: a '-' after it is the switch.
  EXPECT_EQ(Parse("C:\\Program Files\\my-pictures\\x.scr").mode, app::kModePreview);
  EXPECT_EQ(Parse("C:\\Program Files\\a-saver\\x.scr").mode, app::kModeRun);
  // A quote that never closes swallows the whole line.
  EXPECT_EQ(Parse("\"C:\\x.scr /s").mode, app::kModeConfigure);
  EXPECT_EQ(Parse("\"C:\\x.scr /p 12", 5).parent, 5);
}

}  // namespace
