// TWClipboard: the clipboard history window. Lists the five history texts, puts one back on the
// clipboard on a double-click and erases the history on command.
#pragma once
#include <functional>
#include <string>

#include "forms/modeless_form.h"
#include "settings/settings.h"
#include "clipboard/clip_history.h"
#include "platform/platform.h"
#include "forms/popup_menu.h"

namespace vireloc {

class TWClipboard final : public ModelessForm {
 public:
  struct Shared {
    ClipHistory& clipHistory;
    bool& selfCopy;
    Settings& settings;  // the VRLClipboard geometry
    std::function<void()> iniWrite;
  };

  // A window still open when the program ends goes without FormClose: nothing is saved.
  TWClipboard(OpenForms& owner, Shared shared, std::function<void()> onClosed);

  void refreshHistoryGrid();
  // The grid mirrors the history, refreshed at every change of it: a row's full text is the
  // history's entry, never a second copy of a text that may be megabytes long.
  const std::string& gridRow(int row) const { return shared_.clipHistory.entry(row); }
  void setMenuItemEnabled(TMenuItem& item, bool enabled);

  void FormCreate() override;
  void FormActivate() override;
  void FormClose() override;
  void StringGrid1DblClick();
  void StringGrid1MouseDown(MouseButton button);
  void mnuClipEraseClick();
  void mnuCloseClick();

  RowList& StringGrid1;
  TPopupMenu MainMenu1;
  TMenuItem* mnuFunction;
  TMenuItem* mnuOption;
  TMenuItem* mnuClipErase;
  TMenuItem* mnuClose;

 private:
  void onMenuCommand(std::uint32_t command) override;
  int selectionTop();
  void putOnClipboard(const std::string& text);
  void endReuse();

  Shared shared_;
};

}  // namespace vireloc
