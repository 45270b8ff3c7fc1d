// TForm3: the drop-path window. Shows the full path of a file dropped on it from the shell and,
// when D&D is "1", puts that path on the clipboard.
#pragma once
#include <functional>
#include <string>
#include <vector>

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

  // onClosed gets the window that has closed. A window still open when the program ends goes
  // without FormClose.
  TForm3(OpenForms& owner, Shared shared, std::function<void(TForm3*)> onClosed);

  void FormCreate() override;
  void FormActivate() override;
  void FormClose() override;
  void onFilesDropped(const DroppedFiles& files) override;

  Edit& Edit1;

 private:
  Shared shared_;
};

// Where the window of that outer size opens; the saved place is updated as the opening does it.
Point placeDropWindow(Settings& saved, Screen& screen, int width, int height);

}  // namespace vireloc
