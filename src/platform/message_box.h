#pragma once
#include <string>

#include "platform/types.h"

namespace vireloc {

enum class MessageBoxIcon { None, Error, Question };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // A modal box with one OK button, centred on the screen; returns when dismissed.
  // Other messages are handled while it is open.
  virtual void showMessageBox(WindowHandle owner, const std::string& text,
                              const std::string& caption, MessageBoxIcon icon) = 0;
  // A question with the question icon and the buttons はい(&Y) (the default) and いいえ(&N),
  // centred on the screen; true for Yes. Esc and the close box answer No.
  virtual bool askYesNo(WindowHandle owner, const std::string& text,
                        const std::string& caption) = 0;
};

}  // namespace vireloc
