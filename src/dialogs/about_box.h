// TAboutForm: the About box. The program's icon, name and version; OK or Esc closes it.
#pragma once
#include <functional>
#include <string>

#include "forms/modeless_form.h"
#include "platform/platform.h"

namespace vireloc {

class TAboutForm final : public ModelessForm {
 public:
  // onClosed gets the box that has closed. It opens with the focus on OK.
  TAboutForm(OpenForms& owner, const std::string& versionText,
             std::function<void(TAboutForm*)> onClosed);

  void FormCreate() override;
  void FormActivate() override;
  void Button1Click();  // OK, and Esc wherever the keyboard is
  void FormClose() override;

  // In creation order.
  Label& Label2;
  Label& Label1;
  Label& Label3;
  Button& Button1;

 private:
  void afterShow() override;

  std::string versionText_;
};

}  // namespace vireloc
