#include "forms/form_design.h"

#include <cassert>

namespace vireloc {

ChoiceGroup& FormDesign::addChoiceGroup(ControlSpec frame, std::vector<ControlSpec> options) {
  std::vector<std::string> names;
  for (const ControlSpec& option : options) names.push_back(option.name);
  auto group = std::make_unique<ChoiceGroup>(window_, frame.name, names);
  ChoiceGroup& made = *group;
  for (const std::string& name : names) byName_[name] = &made;
  bind(frame.name, std::move(group));
  layout.controls.push_back(std::move(frame));
  for (ControlSpec& option : options) layout.controls.push_back(std::move(option));
  return made;
}

void FormDesign::bind(const std::string& name, std::unique_ptr<Control> handle) {
  assert(!byName_.contains(name) && "a control's name stands once in its design");
  byName_[name] = handle.get();
  handles_.push_back(std::move(handle));
}

bool FormDesign::deliver(const FormEvent& event) {
  const auto found = byName_.find(event.control);
  if (found == byName_.end()) return false;
  found->second->handle(event);
  return true;
}

}  // namespace vireloc
