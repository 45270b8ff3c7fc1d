// TAboutForm: the About box. The program's icon, name and version; OK or Esc closes it.
#pragma once
#include <functional>
#include <string>

#include "forms/application.h"
#include "forms/modeless_form.h"
#include "platform/platform.h"

namespace vireloc {

class TAboutForm final : public ModelessForm {
 public:
  // onClosed gets the box that has closed; the object frees itself right after.
  TAboutForm(Platform& platform, Application& application, const std::string& versionText,
             std::function<void(TAboutForm*)> onClosed);

  // Creates the box, runs FormCreate, shows it with the focus on OK. When the window cannot be
  // created the object is freed (onClosed runs) and the error goes on to the caller.
  void open();

  void FormCreate();
  void FormActivate();
  void Button1Click();  // OK, and Esc wherever the keyboard is
  void FormClose();

 private:
  void dispatch(const FormEvent& event) override;

  std::string versionText_;
};

}  // namespace vireloc
