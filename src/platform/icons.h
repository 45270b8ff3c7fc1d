#pragma once
#include "platform/types.h"

namespace vireloc {

class Icons {
 public:
  virtual ~Icons() = default;
  // A new copy of the program's own icon (the one in its resources).
  virtual IconHandle loadApplicationIcon() = 0;
  virtual IconHandle copyIcon(IconHandle icon) = 0;
  virtual void destroyIcon(IconHandle icon) = 0;
};

}  // namespace vireloc
