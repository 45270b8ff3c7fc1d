// TForm3: the drop-path window. Shows the full path of a file dropped on it from the shell and,
// when D&D is "1", puts that path on the clipboard.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "forms/application.h"
#include "forms/modeless_form.h"
#include "settings/settings.h"
#include "platform/platform.h"

namespace vireloc {

class TForm3 final : public ModelessForm {
 public:
  struct Shared {
    Settings& settings;  // D&D, the DragWindow place
    std::function<void()> iniWrite;
  };

  // onClosed gets the window that has closed; the object frees itself right after. A window
  // still open when the program ends goes without FormClose.
  TForm3(Platform& platform, Application& application, Shared shared,
         std::function<void(TForm3*)> onClosed);

  // Creates the window, runs FormCreate and shows it. When the window cannot be created the
  // object is freed (onClosed runs) and the error goes on to the caller.
  void open();

  void FormCreate();
  void FormActivate();
  void FormClose();
  void onDropFiles(const std::vector<std::string>& paths);

 private:
  void dispatch(const FormEvent& event) override;

  Shared shared_;
};

// Where the window opens on a work area; the saved place is updated as the opening does it.
Point placeDropWindow(Settings& saved, const Rect& workArea);

}  // namespace vireloc
