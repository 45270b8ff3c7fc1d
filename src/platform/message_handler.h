#pragma once
#include "platform/types.h"

namespace vireloc {

// Receives the messages of a window the platform created for the core.
class MessageHandler {
 public:
  virtual ~MessageHandler() = default;
  virtual LResult handleMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                                LParam lParam) = 0;
};

}  // namespace vireloc
