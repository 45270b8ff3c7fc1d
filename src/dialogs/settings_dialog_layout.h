// The settings dialog's window: its controls, texts and places. Choice groups are frames holding
// one column of option buttons named after the group: "RadioGroup5.0", "RadioGroup5.1".
#pragma once
#include "forms/form_design.h"

namespace vireloc {

// In creation order, which is the Tab order. A group's n-th choice stands for the setting "n".
struct SettingsDialogControls {
  ChoiceGroup& GroupBox1;    // DefaultClick, option buttons RadioButton1..3
  ChoiceGroup& RadioGroup1;  // D&D
  ChoiceGroup& RadioGroup5;  // ClipEnable: the PrintScreen auto-save switch
  ChoiceGroup& RadioGroup7;  // ImageClipSave
  ChoiceGroup& RadioGroup2;  // ClipCpCursor
  ChoiceGroup& RadioGroup3;  // SaveFormat
  ChoiceGroup& RadioGroup4;  // SaveClip
  Edit& Edit1;               // ClipAddr
  Button& Button4;           // the application's folder
  Button& Button3;           // choose a folder
  ChoiceGroup& RadioGroup6;  // AutoPopup
  Button& Button1;           // OK
  Button& Button2;           // Cancel
};

// Fills the design of a dialog at the default place; the handles live as long as the design.
SettingsDialogControls designSettingsDialog(FormDesign& design);

}  // namespace vireloc
