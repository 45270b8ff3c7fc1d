// The settings dialog's window: its controls, texts and places. Choice groups are frames holding
// one column of option buttons named after the group: "RadioGroup5.0", "RadioGroup5.1".
#pragma once
#include <string>
#include <vector>

#include "platform/forms.h"

namespace vireloc {

struct ChoiceGroup {
  const char* name;          // the frame
  const char* buttonPrefix;  // option button i is buttonPrefix + (firstNumber + i)
  int firstNumber;
  std::vector<std::string> choices;
};

// The groups whose n-th choice stands for the setting "n", in the order creation fills them.
extern const ChoiceGroup kDefaultClickGroup;  // RadioButton1..3 in GroupBox1
extern const ChoiceGroup kDragDropGroup;      // RadioGroup1
extern const ChoiceGroup kCursorGroup;        // RadioGroup2
extern const ChoiceGroup kFormatGroup;        // RadioGroup3
extern const ChoiceGroup kAlsoClipboardGroup; // RadioGroup4
extern const ChoiceGroup kAutoSaveGroup;      // RadioGroup5
extern const ChoiceGroup kImageWatchGroup;    // RadioGroup7
extern const ChoiceGroup kAutoPopupGroup;     // RadioGroup6

// Name of the option button of a choice; GroupBox1's buttons keep their own names.
std::string choiceName(const ChoiceGroup& group, int index);

FormSpec settingsDialogDesign(Point topLeft);

}  // namespace vireloc
