// The picture panel, its greeting, and the caption label, as they appear on the screen.

#include <string>

#include "tests/e2e/fixture.h"

namespace quorvane::e2e {
namespace {

// Darker than any shade that the face colour and the dark grey strokes or glyphs blend into
// at their edges: the body of a stroke or a glyph.
constexpr int kDark = 3 * 140;

using Picture = ProgramTest;

// Places of the 200 x 200 picture, in its own pixels, that its own tests keep as they are: solid
// ink, or nothing at all.
struct Landmark {
  int left;
  int top;
  int right;  // inclusive
  int bottom;
  bool ink;
  const char* what;
};

constexpr Landmark kLandmarks[] = {
    {0, 0, 15, 15, false, "empty top-left corner"},
    {120, 40, 135, 55, false, "sky between planet and moon"},
    {90, 72, 100, 80, false, "inside the planet"},
    {94, 59, 98, 60, true, "top of the planet's outline"},
    {94, 151, 98, 152, true, "bottom of the planet's outline"},
    {13, 125, 13, 129, true, "left end of the ring"},
};

// Where a landmark shows in the picture box: the picture is shrunk by 0.6 to 120 x 120 and
// drawn at (0, 4). Ink is looked for with a pixel to spare around it; emptiness is checked a
// pixel inside, away from the blending at its edges.
std::string CheckLandmark(const Screenshot& shot, const Landmark& mark, COLORREF face) {
  const int spare = mark.ink ? 1 : -1;
  const int left = mark.left * 3 / 5 - spare;
  const int top = 4 + mark.top * 3 / 5 - spare;
  const int right = ((mark.right + 1) * 3 + 4) / 5 - 1 + spare;
  const int bottom = 4 + ((mark.bottom + 1) * 3 + 4) / 5 - 1 + spare;
  bool anyDark = false;
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      anyDark = anyDark || Brightness(shot.At(x, y)) < kDark;
      if (!mark.ink && shot.At(x, y) != face) {
        return std::string(mark.what) + ": pixel (" + std::to_string(x) + ", " + std::to_string(y) +
               ") is not the face colour";
      }
    }
  }
  if (mark.ink && !anyDark) {
    return std::string(mark.what) + ": no dark pixel in (" + std::to_string(left) + ", " +
           std::to_string(top) + ") to (" + std::to_string(right) + ", " + std::to_string(bottom) +
           ")";
  }
  return {};
}

TEST_F(Picture, IsFittedBetweenBandsOfTheFaceColour) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const RECT box = ScreenRect(Window(Control::图片框1));
  ASSERT_EQ(box.right - box.left, 120);
  ASSERT_EQ(box.bottom - box.top, 128);
  // The rows above and below the fitted picture show the background. Painting may lag behind
  // the window's appearance: poll.
  std::string problem;
  const bool painted = WaitFor([&] {
    const std::optional<Screenshot> shot = Screenshot::Capture(box);
    if (!shot) {
      problem = "no screenshot";
      return false;
    }
    for (int y : {0, 1, 2, 3, 124, 125, 126, 127}) {
      for (int x = 0; x < 120; ++x) {
        if (shot->At(x, y) != face) {
          problem = "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") is " +
                    std::to_string(shot->At(x, y)) + ", not the face colour " +
                    std::to_string(face);
          return false;
        }
      }
    }
    for (const Landmark& mark : kLandmarks) {
      problem = CheckLandmark(*shot, mark, face);
      if (!problem.empty()) {
        return false;
      }
    }
    return true;
  });
  EXPECT_TRUE(painted) << problem;
}

TEST_F(Picture, CaptionLabelShowsDarkGlyphsOnTheWindowBackground) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const RECT label = ScreenRect(Window(Control::透明标签1));
  ASSERT_EQ(label.right - label.left, 175);
  ASSERT_EQ(label.bottom - label.top, 16);
  std::string problem;
  const bool painted = WaitFor([&] {
    const std::optional<Screenshot> shot = Screenshot::Capture(label);
    if (!shot) {
      problem = "no screenshot";
      return false;
    }
    int dark = 0;
    int background = 0;
    for (int y = 0; y < shot->Height(); ++y) {
      for (int x = 0; x < shot->Width(); ++x) {
        dark += Brightness(shot->At(x, y)) < kDark ? 1 : 0;
        background += shot->At(x, y) == face ? 1 : 0;
      }
    }
    problem = std::to_string(dark) + " dark and " + std::to_string(background) +
              " face-coloured pixels of " + std::to_string(175 * 16);
    // Glyphs across the label, and the face colour around them.
    return dark >= 60 && background >= 175 * 16 / 3;
  });
  EXPECT_TRUE(painted) << problem;
}

// Presses at the corners of the picture box and on its background bands, with and without
// modifiers: each shows the greeting, once.
TEST_F(Picture, EveryPressShowsTheGreetingOnce) {
  const RECT box = ScreenRect(Window(Control::图片框1));
  struct Press {
    int x;
    int y;
    unsigned modifiers;
  };
  constexpr Press kPresses[] = {
      {60, 64, kNoModifier}, {0, 0, kNoModifier},    {119, 127, kNoModifier},
      {60, 1, kNoModifier},  {60, 126, kNoModifier}, {30, 40, kCtrl | kShift},
  };
  for (const Press& press : kPresses) {
    SCOPED_TRACE("press at (" + std::to_string(press.x) + ", " + std::to_string(press.y) + ")");
    const POINT point{box.left + press.x, box.top + press.y};
    ASSERT_TRUE(Click(point, press.modifiers));
    ASSERT_TRUE(MessageBoxShows(kGreetingTitle, kGreetingText));
    // While the greeting is open, neither the picture nor "计算" takes a press.
    ASSERT_TRUE(Click(point));
    ASSERT_TRUE(Click(Centre(ScreenRect(Window(Control::按钮1)))));
    EXPECT_TRUE(StaysTrue([&] { return program().MessageBoxes().size() == 1; }))
        << program().MessageBoxes().size() << " boxes open";
    Key(VK_RETURN);
    // A press on the picture does not take the focus from where it was.
    ASSERT_TRUE(BackToMainWindow(Control::编辑框1));
  }
  EXPECT_TRUE(NoMessageBoxAppears());
}

TEST_F(Picture, DoubleClickShowsOneGreeting) {
  ASSERT_TRUE(DoubleClick(Centre(ScreenRect(Window(Control::图片框1)))));
  ASSERT_TRUE(MessageBoxShows(kGreetingTitle, kGreetingText));
  EXPECT_TRUE(StaysTrue([&] { return program().MessageBoxes().size() == 1; }))
      << program().MessageBoxes().size() << " boxes open";
  Key(VK_RETURN);
  ASSERT_TRUE(BackToMainWindow(Control::编辑框1));
  EXPECT_TRUE(NoMessageBoxAppears());
}

}  // namespace
}  // namespace quorvane::e2e
