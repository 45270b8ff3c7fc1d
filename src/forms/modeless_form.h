// A modeless window built afresh at every opening that frees itself when closed: the object
// lives from open to close, and the owner's one reference is cleared through onClosed.
#pragma once
#include <functional>

#include "forms/application.h"
#include "platform/platform.h"

namespace vireloc {

class ModelessForm : private FormEvents {
 public:
  ModelessForm(const ModelessForm&) = delete;
  ModelessForm& operator=(const ModelessForm&) = delete;
  WindowHandle handle() const { return form_; }

 protected:
  ModelessForm(Platform& platform, Application& application, std::function<void()> onClosed);
  // A window still open when the program ends goes without its close steps.
  ~ModelessForm() override;

  // Creates the window, runs formCreate with its errors reported, and shows it. When the
  // window cannot be created the object is freed (onClosed runs) and the error goes on.
  void openForm(const FormSpec& design, const std::function<void()>& formCreate);
  // Destroys the window and runs onClosed; the object goes once no handler of it runs.
  void closeForm();
  bool closed() const { return closed_; }
  // One event of the window; its errors go to the default error report.
  virtual void dispatch(const FormEvent& event) = 0;

  Platform& platform_;
  Application& application_;
  WindowHandle form_ = 0;

 private:
  void onFormEvent(WindowHandle form, const FormEvent& event) override;
  void freeWhenIdle();

  std::function<void()> onClosed_;
  int handlerDepth_ = 0;  // event handlers of this window now running
  bool closed_ = false;
};

}  // namespace vireloc
