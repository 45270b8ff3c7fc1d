#pragma once
#include <string>

#include "platform/types.h"

namespace vireloc {

enum class MessageBoxIcon { None, Error };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // A modal box with one OK button, centred on the screen; returns when dismissed.
  // Other messages are handled while it is open.
  virtual void showMessageBox(WindowHandle owner, const std::string& text,
                              const std::string& caption, MessageBoxIcon icon) = 0;
};

}  // namespace vireloc
