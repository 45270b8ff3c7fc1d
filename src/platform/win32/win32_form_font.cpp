// The font of a form and its controls: the designed face when the system has it, else the
// system's own UI font.
#include <windows.h>

#include <string>

#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_form_controls.h"

namespace vireloc {

namespace {

int CALLBACK countFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return 1;
}

// Installed, or a name the system maps to another face ("MS Shell Dlg 2").
bool faceKnown(const std::wstring& face, BYTE charset) {
  LOGFONTW wanted{};
  wanted.lfCharSet = charset;
  if (face.size() >= LF_FACESIZE) return false;
  face.copy(wanted.lfFaceName, face.size());
  int count = 0;
  WindowDc screen;
  if (screen) EnumFontFamiliesExW(screen.get(), &wanted, countFace, reinterpret_cast<LPARAM>(&count), 0);
  if (count > 0) return true;
  return RegGetValueW(HKEY_LOCAL_MACHINE,
                      L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes",
                      face.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

LOGFONTW systemMessageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  return metrics.lfMessageFont;
}

}  // namespace

FontHandle createFormFont(const FontSpec& layout) {
  // A face the system lacks (ＭＳ Ｐゴシック under Wine) gives way to the system's own UI font
  // at the same height and character set, rather than to whatever the font mapper finds.
  std::wstring face = toWide(layout.face);
  if (!faceKnown(face, layout.charset)) face = systemMessageFont().lfFaceName;
  FontHandle font(CreateFontW(-layout.height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, layout.charset,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
  if (font) return font;
  LOGFONTW fallback = systemMessageFont();
  return FontHandle(CreateFontIndirectW(&fallback));
}

}  // namespace vireloc
