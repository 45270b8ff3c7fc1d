#pragma once
#include <exception>
#include <functional>
#include <string>

#include "platform/platform.h"

namespace vireloc {

inline constexpr const char* kApplicationTitle = "Dovrant";
inline constexpr const char* kWindowFailure = "ウィンドウを作成できません。";

// The application object: its own hidden top-level window (whose title is the single-instance
// key), the message loop, and the default error report of every event.
class Application : public MessageHandler {
 public:
  explicit Application(Platform& platform) : platform_(platform) {}
  ~Application() override;
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Sets the title; the application window is created with it on first use.
  void setTitle(const std::string& title);
  const std::string& title() const { return title_; }
  WindowHandle handle();

  void run() { platform_.windowing.runMessageLoop(); }
  void terminate() { platform_.windowing.quitMessageLoop(); }

  // The default error report: the error text (with a full stop when its last character sorts
  // after "."), captioned with the title, with the error icon.
  void showException(const std::exception& error);
  // A plain message: captioned with the title, no icon.
  void showMessage(const std::string& text);

  // Runs an event handler; what it throws goes to the default error report.
  template <typename Handler>
  void runGuarded(Handler&& handler) {
    try {
      handler();
    } catch (const std::exception& error) {
      showException(error);
    }
  }

  // Minimise and restore notifications of the application; empty when nobody listens.
  std::function<void()> onMinimize;
  std::function<void()> onRestore;

  LResult handleMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                        LParam lParam) override;

 private:
  Platform& platform_;
  std::string title_;
  WindowHandle window_ = 0;
};

// "a." stays, "a" becomes "a.": the full stop rule of the error report.
std::string withClosingFullStop(const std::string& text);

}  // namespace vireloc
