// A window object that frees itself once its window has closed, and hears the window's events
// through the default error report.
#pragma once
#include "app/application.h"
#include "platform/forms.h"

namespace vireloc {

class SelfFreeingForm : protected FormEvents {
 protected:
  explicit SelfFreeingForm(Application& application) : application_(application) {}

  // One event of the window; what it throws goes to the default error report.
  virtual void dispatch(const FormEvent& event) = 0;
  bool isClosed() const { return closed_; }
  // The window has gone. A handler of it may still be running below (a close chosen while its
  // message box was open): the object goes when the outermost one has returned.
  void closed() {
    closed_ = true;
    freeWhenIdle();
  }

 private:
  void onFormEvent(WindowHandle, const FormEvent& event) final {
    ++handlerDepth_;
    application_.runGuarded([&] { dispatch(event); });
    --handlerDepth_;
    freeWhenIdle();
  }
  void freeWhenIdle() {
    if (closed_ && handlerDepth_ == 0) delete this;
  }

  Application& application_;
  int handlerDepth_ = 0;  // handlers of this window now running
  bool closed_ = false;
};

}  // namespace vireloc
