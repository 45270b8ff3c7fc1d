// The one owner of the program's open windows. A form goes once it has closed and no handler
// of it is running; at exit and at the end of the session every form goes, but never one
// whose handler is still running below (that one goes when its handler returns).
#pragma once
#include <list>
#include <memory>
#include <utility>

#include "forms/application.h"
#include "forms/modeless_form.h"
#include "platform/platform.h"

namespace vireloc {

class OpenForms final : private FormEvents {
 public:
  OpenForms(Platform& platform, Application& application)
      : platform(platform), application(application) {}
  ~OpenForms() override;
  OpenForms(const OpenForms&) = delete;
  OpenForms& operator=(const OpenForms&) = delete;

  // A new form, not yet open: whoever keeps a reference to it sets it before opening.
  template <typename Form, typename... Args>
  Form& add(Args&&... args) {
    auto form = std::make_unique<Form>(*this, std::forward<Args>(args)...);
    Form& made = *form;
    entries_.push_back({std::move(form)});
    return made;
  }
  // Opens a form add made. A form whose window cannot be created goes, and the error goes on.
  void open(ModelessForm& form);
  // Every form goes but those whose handler is running; from now on those go when it returns.
  void closeAll();
  // Forms alive, closed ones whose handler still runs included.
  std::size_t count() const { return entries_.size(); }

  // The platform's window for a form's design; its events come here.
  WindowHandle createWindow(const FormSpec& design) { return platform.forms.createForm(design, *this); }

  Platform& platform;
  Application& application;

 private:
  struct Entry {
    std::unique_ptr<ModelessForm> form;
    int running = 0;  // handlers of the form now running, nested ones counted each
  };

  void onFormEvent(WindowHandle window, const FormEvent& event) override;
  Entry* entryOf(const ModelessForm& form);
  template <typename Work>
  void whileRunning(Entry& entry, Work&& work);
  void dropIdle();

  std::list<Entry> entries_;  // stable: a handler's entry stays put while others come and go
  bool closingAll_ = false;
};

}  // namespace vireloc
