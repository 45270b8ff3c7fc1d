#include "forms/application.h"

#include <new>

#include "common/app_error.h"

namespace vireloc {

namespace {
constexpr std::uint32_t kSysCommand = 0x0112;
constexpr WParam kScMinimize = 0xF020;
constexpr WParam kScRestore = 0xF120;

// The code point of the last UTF-8 character of text.
std::uint32_t lastCodePoint(const std::string& text) {
  std::size_t start = text.size() - 1;
  while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) --start;
  std::uint32_t code = static_cast<unsigned char>(text[start]);
  if (code < 0x80) return code;
  int continuation = code >= 0xF0 ? 3 : code >= 0xE0 ? 2 : 1;
  code &= 0x3F >> continuation;
  for (std::size_t i = start + 1; i < text.size(); ++i)
    code = (code << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
  return code;
}
}  // namespace

std::string withClosingFullStop(const std::string& text) {
  if (!text.empty() && lastCodePoint(text) > '.') return text + ".";
  return text;
}

Application::~Application() {
  if (window_) platform_.windowing.destroyWindow(window_);
}

void Application::setTitle(const std::string& title) {
  title_ = title;
  if (window_) platform_.windowing.setWindowText(window_, title);
}

WindowHandle Application::handle() {
  if (!window_) {
    window_ = inUserWords(kWindowFailure, [&] {
      return platform_.windowing.createHiddenWindow("TApplication", title_, *this);
    });
  }
  return window_;
}

void Application::showException(const std::exception& error) {
  // The library's own text for it is English.
  const std::string text =
      dynamic_cast<const std::bad_alloc*>(&error) ? "メモリが足りません" : error.what();
  platform_.messageBoxes.showMessageBox(0, withClosingFullStop(text), title_,
                                        MessageBoxIcon::Error);
}

void Application::showMessage(const std::string& text) {
  platform_.messageBoxes.showMessageBox(0, text, title_, MessageBoxIcon::None);
}

LResult Application::handleMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                                   LParam lParam) {
  if (message == kSysCommand && (wParam & 0xFFF0) == kScMinimize) {
    if (onMinimize) runGuarded(onMinimize);
  } else if (message == kSysCommand && (wParam & 0xFFF0) == kScRestore) {
    if (onRestore) runGuarded(onRestore);
  }
  return platform_.windowing.defaultWindowProc(window, message, wParam, lParam);
}

}  // namespace vireloc
