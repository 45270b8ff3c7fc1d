#include "settings/settings.h"

#include "settings/profile_integer.h"

namespace vireloc {

namespace {
// DefaultClick's texts, in the order of LeftClickAction.
const char* const kLeftClickTexts[] = {"Dovrant", "DovrantRe", "WindowSmall"};
}  // namespace

std::optional<ImageFormat> Settings::saveFormat() const {
  const auto index = parseProfileInteger(SaveFormat);
  if (!index || *index < 0 || *index > 2) return std::nullopt;
  return static_cast<ImageFormat>(*index);
}

std::optional<LeftClickAction> Settings::leftClickAction() const {
  for (int i = 0; i < 3; ++i)
    if (DefaultClick == kLeftClickTexts[i]) return static_cast<LeftClickAction>(i);
  return std::nullopt;
}

void Settings::setLeftClickAction(LeftClickAction action) {
  DefaultClick = kLeftClickTexts[static_cast<int>(action)];
}

std::optional<DropPathCopy> Settings::dropPathCopy() const {
  if (DnD == "0") return DropPathCopy::ByHand;
  if (DnD == "1") return DropPathCopy::Automatic;
  return std::nullopt;
}

void Settings::setDropPathCopy(DropPathCopy copy) {
  DnD = copy == DropPathCopy::Automatic ? "1" : "0";
}

}  // namespace vireloc
