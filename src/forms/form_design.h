// A window's design and the typed handles of its controls, made together: a control's name
// stands once, in the design, and the platform's events find their handle by it.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "forms/controls.h"
#include "platform/forms.h"

namespace vireloc {

class FormDesign {
 public:
  explicit FormDesign(FormWindow window) : window_(window) {}
  FormDesign(const FormDesign&) = delete;
  FormDesign& operator=(const FormDesign&) = delete;

  // The control joins the design and gets its handle.
  template <typename Handle = Control>
  Handle& add(ControlSpec control) {
    auto handle = std::make_unique<Handle>(window_, control.name);
    Handle& made = *handle;
    bind(control.name, std::move(handle));
    layout.controls.push_back(std::move(control));
    return made;
  }
  // The frame and its option buttons, in that order.
  ChoiceGroup& addChoiceGroup(ControlSpec frame, std::vector<ControlSpec> options);
  // An event named after a control goes to its handle; false when none has that name.
  bool deliver(const FormEvent& event);

  // The window; `controls` fills as the calls above add them.
  FormSpec layout;

 private:
  void bind(const std::string& name, std::unique_ptr<Control> handle);

  FormWindow window_;
  std::vector<std::unique_ptr<Control>> handles_;
  std::map<std::string, Control*> byName_;
};

}  // namespace vireloc
