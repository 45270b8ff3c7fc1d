// A modeless window built afresh at every opening. The open forms' registry (open_forms.h)
// owns it: the object lives from open until its window has closed and no handler of it runs.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "forms/application.h"
#include "forms/form_design.h"
#include "platform/platform.h"

namespace vireloc {

class OpenForms;

class ModelessForm {
 public:
  // A window still open when the object goes closes without its close steps.
  virtual ~ModelessForm();
  ModelessForm(const ModelessForm&) = delete;
  ModelessForm& operator=(const ModelessForm&) = delete;

  WindowHandle handle() const { return form_; }
  bool closed() const { return closed_; }

  // Creates the window from the design, runs FormCreate with its errors reported, shows it
  // and runs afterShow. When the window cannot be created the form counts as closed and the
  // error goes on. OpenForms::open calls it.
  void open();
  // One event of the window; its errors go to the default error report.
  void dispatch(const FormEvent& event);

 protected:
  // onClosed runs once: when the window closes, when it cannot be created, or when the form
  // goes while still open.
  ModelessForm(OpenForms& owner, std::function<void()> onClosed);

  virtual void FormCreate() {}
  virtual void afterShow() {}
  virtual void FormActivate() {}
  // The close box, Alt+F4, or a close the form chooses itself.
  virtual void FormClose() = 0;
  virtual void onMenuCommand(std::uint32_t command) {}
  virtual void onFilesDropped(const DroppedFiles& files) {}

  // Destroys the window and runs onClosed; the registry drops the object once no handler runs.
  void closeForm();

  Platform& platform_;
  Application& application_;
  WindowHandle form_ = 0;
  FormDesign design_{FormWindow{platform_.forms, form_}};

 private:
  void route(const FormEvent& event);
  // A window that could not be made counts as closed.
  void closeUnmade();
  void notifyClosed();

  OpenForms& owner_;
  std::function<void()> onClosed_;
  bool closed_ = false;
};

}  // namespace vireloc
