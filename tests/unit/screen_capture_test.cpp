#include "capture/screen_capture.h"

#include <gtest/gtest.h>

#include "program_fixture.h"

namespace vireloc {
namespace {

using test::kAppDir;
using test::kIniPath;

constexpr const char* kStamp = "20110315142305123";

std::uint32_t pixelAt(const PixelBuffer& image, int x, int y) {
  const std::uint8_t* p = &image.pixels[y * image.stride + x * 4];
  return p[0] | p[1] << 8 | p[2] << 16;
}

class ScreenCaptureTest : public test::ProgramTest {
 protected:
  ScreenCaptureTest() {
    // Every screen pixel tells where it came from.
    for (int y = 0; y < sim.screenImage.height; ++y)
      for (int x = 0; x < sim.screenImage.width; ++x) {
        std::uint8_t* p = &sim.screenImage.pixels[y * sim.screenImage.stride + x * 4];
        p[0] = x & 0xFF;
        p[1] = y & 0xFF;
        p[2] = static_cast<std::uint8_t>((x >> 8) | (y >> 8) << 4);
      }
  }
  void press(int id) { sim.sendMessage(mainWindow().handle(), wm::Hotkey, id, 0); }
  WindowHandle window(Rect rect, WindowHandle parent = 0) {
    const WindowHandle handle = sim.addForeignWindow("Foreign", "w");
    sim.windows[handle].rect = rect;
    sim.windows[handle].parent = parent;
    return handle;
  }
  std::string savedFile(const std::string& extension = ".bmp") {
    return sim.fileContents(kAppDir + kStamp + extension).value_or("");
  }
};

TEST_F(ScreenCaptureTest, HotkeysAreRegisteredInOrderAtStartAndAllUnregisteredAtExit) {
  start();
  EXPECT_EQ(sim.hotkeyLog, (std::vector<std::string>{"register 101", "register 104",
                                                     "register 103", "register 102"}));
  EXPECT_EQ(sim.hotkeys[101].modifiers, 0u);
  EXPECT_EQ(sim.hotkeys[104].modifiers, 4u);
  EXPECT_EQ(sim.hotkeys[103].modifiers, 2u);
  EXPECT_EQ(sim.hotkeys[102].modifiers, 1u);
  EXPECT_EQ(sim.hotkeys[102].virtualKey, 0x2Cu);
  mainWindow().registerCaptureHotkeys();  // refused as already registered; still in force
  EXPECT_EQ(sim.hotkeys.size(), 4u);
  sim.hotkeyLog.clear();
  stop();
  EXPECT_EQ(sim.hotkeyLog, (std::vector<std::string>{"unregister 101", "unregister 102",
                                                     "unregister 103", "unregister 104"}));
  EXPECT_TRUE(sim.hotkeys.empty());
}

TEST_F(ScreenCaptureTest, HotkeysStayOffWhenSwitchedOffOrTakenElsewhere) {
  sim.putFile(kIniPath, "[Settings]\r\nClipEnable=1\r\n");
  start();
  EXPECT_TRUE(sim.hotkeyLog.empty());
  stop();
  sim.putFile(kIniPath, "");
  sim.hotkeysTakenElsewhere = {103};
  start();
  EXPECT_EQ(sim.hotkeys.size(), 3u);
  EXPECT_TRUE(sim.messageBoxes.empty());
}

TEST_F(ScreenCaptureTest, FullScreenCaptureIsTheWholePrimaryScreenAsBmp) {
  mainWindow().settings.SaveClip = "1";
  press(104);
  const PixelBuffer image = *sim.clipboard.bitmap;
  EXPECT_EQ(image.width, 1024);
  EXPECT_EQ(image.height, 768);
  EXPECT_EQ(pixelAt(image, 300, 700), pixelAt(sim.screenImage, 300, 700));
  const std::string bmp = savedFile();
  ASSERT_GE(bmp.size(), 54u);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(static_cast<unsigned char>(bmp[10]), 54);  // pixel data right after the headers
  EXPECT_EQ(static_cast<unsigned char>(bmp[28]), 32);  // bits per pixel
  EXPECT_EQ(bmp.size(), 54u + 1024 * 768 * 4);
  EXPECT_FALSE(mainWindow().captureBusy);  // released when the capture ends
}

TEST_F(ScreenCaptureTest, WindowCapturesAreClampedAtOriginAndWorkAreaOnly) {
  struct Case {
    Rect window;
    Rect workArea;
    Rect expected;
  };
  const Case cases[] = {
      {{-8, -8, 1032, 746}, {0, 0, 1024, 738}, {0, 0, 1024, 738}},      // maximised
      {{100, -20, 300, 200}, {0, 30, 1024, 768}, {100, 0, 300, 200}},   // taskbar on top
      {{-50, 100, 100, 800}, {60, 0, 1024, 768}, {0, 100, 100, 768}},   // taskbar on the left
      {{900, 600, 1300, 900}, {0, 0, 1024, 738}, {900, 600, 1024, 738}},  // partly off screen
  };
  for (const Case& c : cases) {
    sim.workAreaRect = c.workArea;
    sim.foreground = window(c.window);
    mainWindow().settings.SaveClip = "1";
    sim.clock.millisecond += 1;
    press(102);
    const PixelBuffer& image = *sim.clipboard.bitmap;
    EXPECT_EQ(image.width, c.expected.right - c.expected.left);
    EXPECT_EQ(image.height, c.expected.bottom - c.expected.top);
    EXPECT_EQ(pixelAt(image, 0, 0), pixelAt(sim.screenImage, c.expected.left, c.expected.top));
  }
  EXPECT_TRUE(sim.messageBoxes.empty());
}

TEST_F(ScreenCaptureTest, WindowCapturesTakeTheVisibleFrameWhereTheSystemTellsIt) {
  // Windows 10: the rectangle holds 7-pixel invisible borders left, right and below.
  const WindowHandle framed = window({93, 100, 507, 407});
  sim.windows[framed].visibleFrame = Rect{100, 100, 500, 400};
  const WindowHandle plain = window({93, 100, 507, 407});  // no composition: the rectangle
  mainWindow().settings.SaveClip = "1";
  for (const auto& [foreground, expected] :
       {std::pair{framed, Rect{100, 100, 500, 400}}, std::pair{plain, Rect{93, 100, 507, 407}}}) {
    sim.foreground = foreground;
    sim.clock.millisecond += 1;
    press(102);
    const PixelBuffer& image = *sim.clipboard.bitmap;
    EXPECT_EQ(image.width, expected.right - expected.left);
    EXPECT_EQ(image.height, expected.bottom - expected.top);
    EXPECT_EQ(pixelAt(image, 0, 0), pixelAt(sim.screenImage, expected.left, expected.top));
  }
  // Ctrl+PrintScreen over a child of the framed window takes its top window's visible frame.
  sim.cursor = Point{200, 200};
  window({150, 150, 300, 300}, framed);
  sim.clock.millisecond += 1;
  press(103);
  EXPECT_EQ(sim.clipboard.bitmap->width, 400);
  EXPECT_EQ(sim.clipboard.bitmap->height, 300);
  EXPECT_TRUE(sim.messageBoxes.empty());
}

TEST_F(ScreenCaptureTest, ImpossibleRectanglesFailVisiblyAndWriteNothing) {
  const Rect impossible[] = {
      {-32000, -32000, -31840, -31976},  // minimised
      {1100, 0, 1500, 300},              // monitor to the right
      {-900, 0, -100, 300},              // monitor to the left
  };
  for (const Rect& rect : impossible) {
    sim.foreground = window(rect);
    press(102);
    EXPECT_FALSE(mainWindow().captureBusy);
  }
  ASSERT_EQ(sim.messageBoxes.size(), 3u);
  EXPECT_EQ(sim.messageBoxes[0].text, "ビットマップを作成できません.");
  EXPECT_EQ(sim.messageBoxes[0].icon, MessageBoxIcon::Error);
  EXPECT_FALSE(sim.hasFile(kAppDir + kStamp + ".bmp"));
}

TEST_F(ScreenCaptureTest, EmptyCaptureAreaIsToldAndWritesNoFile) {
  sim.foreground = window({0, 738, 1024, 768});  // the taskbar below the work area
  mainWindow().settings.SaveClip = "1";
  sim.clipboard.text = "kept";
  press(102);
  ASSERT_EQ(sim.messageBoxes.size(), 1u);
  EXPECT_EQ(sim.messageBoxes[0].icon, MessageBoxIcon::Error);
  EXPECT_FALSE(sim.hasFile(kAppDir + kStamp + ".bmp"));
  EXPECT_EQ(sim.clipboard.text, "kept");
  EXPECT_FALSE(mainWindow().captureBusy);
}

TEST_F(ScreenCaptureTest, NoForegroundWindowOrUnreadableRectangleCapturesTheScreen) {
  mainWindow().settings.SaveClip = "1";
  sim.foreground = 0;
  press(102);
  EXPECT_EQ(sim.clipboard.bitmap->width, 1024);
  sim.foreground = sim.addForeignWindow("NoRect", "x");
  sim.clipboard = {};
  press(102);
  EXPECT_EQ(sim.clipboard.bitmap->height, 768);
}

TEST_F(ScreenCaptureTest, PointerCaptureTakesTheTopLevelWindowOfTheControlUnderIt) {
  const WindowHandle top = window({200, 100, 600, 400});
  const WindowHandle owner = window({10, 10, 900, 700});
  sim.windows[top].owner = owner;  // an owned pop-up: the walk goes on to its owner
  sim.windows[top].parent = 0;
  const WindowHandle button = window({250, 150, 300, 180}, top);
  sim.cursor = Point{260, 160};
  EXPECT_EQ(sim.windowFromPoint(*sim.cursor), button);
  mainWindow().settings.SaveClip = "1";
  press(103);
  EXPECT_EQ(sim.clipboard.bitmap->width, 890);
  EXPECT_EQ(pixelAt(*sim.clipboard.bitmap, 0, 0), pixelAt(sim.screenImage, 10, 10));

  sim.cursor.reset();
  press(103);
  EXPECT_EQ(lastMessageBox().text, "マウスカーソルの位置を取得できません.");
}

TEST_F(ScreenCaptureTest, CursorIsDrawnWithItsHotspotOnThePointer) {
  EXPECT_EQ(cursorOverlayPosition({100, 200}, {1, 1}, {10, 20}), (Point{89, 179}));
  mainWindow().settings.ClipCpCursor = "1";
  mainWindow().settings.SaveClip = "1";
  sim.cursor = Point{500, 400};
  sim.cursorHotspotPoint = {5, 7};
  sim.foreground = window({-8, -8, 1032, 746});
  press(102);
  EXPECT_EQ(pixelAt(*sim.clipboard.bitmap, 495, 393), 0xFFFFFFu & 0xFFFFFF);
  sim.cursorHandle = 0;  // no cursor: GetIconInfo fails, the capture goes on without it
  sim.clock.millisecond += 1;
  press(101);
  EXPECT_EQ(pixelAt(*sim.clipboard.bitmap, 495, 393), pixelAt(sim.screenImage, 495, 393));
}

}  // namespace
}  // namespace vireloc
