#include "forms/open_forms.h"

namespace vireloc {

OpenForms::~OpenForms() {
  // Newest first: a window owned by another goes before its owner. Each leaves the list
  // before it goes, so that nothing its destruction sets off finds it there.
  while (!entries_.empty()) {
    Entry last = std::move(entries_.back());
    entries_.pop_back();
  }
}

OpenForms::Entry* OpenForms::entryOf(const ModelessForm& form) {
  for (Entry& entry : entries_)
    if (entry.form.get() == &form) return &entry;
  return nullptr;
}

template <typename Work>
void OpenForms::whileRunning(Entry& entry, Work&& work) {
  ++entry.running;
  struct Done {
    OpenForms& owner;
    Entry& entry;
    ~Done() {
      --entry.running;
      owner.dropIdle();
    }
  } done{*this, entry};
  work(*entry.form);
}

void OpenForms::open(ModelessForm& form) {
  Entry* entry = entryOf(form);
  if (!entry) return;
  whileRunning(*entry, [](ModelessForm& opened) { opened.open(); });
}

void OpenForms::onFormEvent(WindowHandle window, const FormEvent& event) {
  for (Entry& entry : entries_) {
    if (entry.form->handle() == window && !entry.form->closed()) {
      whileRunning(entry, [&](ModelessForm& form) { form.dispatch(event); });
      return;
    }
  }
}

void OpenForms::closeAll() {
  closingAll_ = true;
  dropIdle();
}

void OpenForms::dropIdle() {
  // Destroying a form may end handlers no more; collect first, then let them go.
  std::list<Entry> idle;
  for (auto entry = entries_.begin(); entry != entries_.end();) {
    const auto next = std::next(entry);
    if (entry->running == 0 && (closingAll_ || entry->form->closed()))
      idle.splice(idle.begin(), entries_, entry);
    entry = next;
  }
  while (!idle.empty()) idle.pop_front();
}

}  // namespace vireloc
