#include "dialogs/settings_dialog_layout.h"

namespace vireloc {

const ChoiceGroup kDefaultClickGroup{
    "GroupBox1", "RadioButton", 1, {"全App最小化", "全App最小化/復元", "全窓最小化/復元"}};
const ChoiceGroup kDragDropGroup{
    "RadioGroup1", "RadioGroup1.", 0, {"手動でクリップボードにコピー", "自動でクリップボードにコピー"}};
const ChoiceGroup kCursorGroup{"RadioGroup2", "RadioGroup2.", 0, {"無", "有"}};
const ChoiceGroup kFormatGroup{"RadioGroup3", "RadioGroup3.", 0, {"BMP", "JPG", "PNG"}};
const ChoiceGroup kAlsoClipboardGroup{"RadioGroup4", "RadioGroup4.", 0, {"無", "有"}};
const ChoiceGroup kAutoSaveGroup{"RadioGroup5", "RadioGroup5.", 0, {"有効", "無効"}};
const ChoiceGroup kImageWatchGroup{"RadioGroup7", "RadioGroup7.", 0, {"有効", "無効"}};
const ChoiceGroup kAutoPopupGroup{
    "RadioGroup6", "RadioGroup6.", 0, {"自動ポップアップ有効", "自動ポップアップ無効"}};

namespace {

constexpr int kClientWidth = 421;
constexpr int kClientHeight = 453;
// Choices of a group stand in one column below the frame's caption, reaching to the frame's
// right border: the long drag-and-drop choices need all of that width.
constexpr int kChoiceTop = 16;
constexpr int kChoiceBottom = 2;
constexpr int kChoiceLeft = 8;
constexpr int kChoiceRight = 2;

Rect box(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

ControlSpec control(const std::string& name, ControlKind kind, const std::string& text,
                    const std::string& parent, Rect bounds) {
  ControlSpec layout = controlAt(name, kind, bounds, text);
  layout.parent = parent;
  // Every control but an option button ends the group of buttons before it, so that each
  // frame's buttons exclude one another and the arrow keys stay among them.
  layout.groupStart = kind != ControlKind::RadioButton;
  layout.tabStop = kind == ControlKind::Button || kind == ControlKind::Edit;
  return layout;
}

void addOptionButton(std::vector<ControlSpec>& controls, const ChoiceGroup& group, int index,
                     Rect bounds) {
  ControlSpec button =
      control(choiceName(group, index), ControlKind::RadioButton, group.choices[index], group.name, bounds);
  button.groupStart = index == 0;
  button.tabStop = index == 0;
  controls.push_back(std::move(button));
}

void addChoiceGroup(std::vector<ControlSpec>& controls, const ChoiceGroup& group,
                    const std::string& caption, const std::string& parent, Rect bounds) {
  controls.push_back(control(group.name, ControlKind::GroupBox, caption, parent, bounds));
  const int count = static_cast<int>(group.choices.size());
  const int step = (bounds.bottom - bounds.top - kChoiceTop - kChoiceBottom) / count;
  const int width = bounds.right - bounds.left - kChoiceLeft - kChoiceRight;
  for (int i = 0; i < count; ++i)
    addOptionButton(controls, group, i, box(kChoiceLeft, kChoiceTop + i * step, width, step));
}

void addDefaultClickFrame(std::vector<ControlSpec>& controls) {
  controls.push_back(control("GroupBox1", ControlKind::GroupBox, "Default Click", "", box(8, 8, 177, 89)));
  for (int i = 0; i < 3; ++i) addOptionButton(controls, kDefaultClickGroup, i, box(8, 16 + 24 * i, 161, 17));
}

void addPrintScreenFrame(std::vector<ControlSpec>& controls) {
  const std::string frame = "GroupBox2";
  controls.push_back(control(frame, ControlKind::GroupBox, "PrintScreen設定", "", box(192, 8, 217, 265)));
  addChoiceGroup(controls, kCursorGroup, "カーソル描画", frame, box(8, 16, 201, 49));
  addChoiceGroup(controls, kFormatGroup, "保存形式", frame, box(8, 72, 201, 73));
  addChoiceGroup(controls, kAlsoClipboardGroup, "クリップボードにも保存", frame, box(8, 152, 201, 49));
  ControlSpec folder = control("Edit1", ControlKind::Edit, "", frame, box(8, 208, 201, 20));
  folder.readOnly = true;
  controls.push_back(folder);
  controls.push_back(control("Button4", ControlKind::Button, "アプリPath", frame, box(8, 232, 81, 25)));
  controls.push_back(control("Button3", ControlKind::Button, "ディレクトリ選択", frame, box(104, 232, 105, 25)));
}

// Inert: nothing in it is ever enabled, filled or read.
void addLanguageFrame(std::vector<ControlSpec>& controls) {
  const std::string frame = "GroupBox3";
  controls.push_back(control(frame, ControlKind::GroupBox, "言語設定", "", box(8, 320, 217, 73)));
  ControlSpec file = control("Edit2", ControlKind::Edit, "", frame, box(8, 16, 201, 20));
  file.readOnly = true;
  controls.push_back(file);
  ControlSpec language = control("Label1", ControlKind::Static, "日本語", frame, box(8, 40, 36, 12));
  language.autoSize = true;
  controls.push_back(language);
  ControlSpec choose = control("Button5", ControlKind::Button, "言語ファイル選択", frame, box(112, 40, 99, 25));
  choose.enabled = false;
  controls.push_back(choose);
}

void addDialogButtons(std::vector<ControlSpec>& controls) {
  ControlSpec ok = control("Button1", ControlKind::Button, "OK", "", box(160, 408, 57, 25));
  ok.defaultButton = true;
  controls.push_back(ok);
  ControlSpec cancel = control("Button2", ControlKind::Button, "Cancel", "", box(224, 408, 57, 25));
  cancel.cancelButton = true;
  controls.push_back(cancel);
}

}  // namespace

std::string choiceName(const ChoiceGroup& group, int index) {
  return group.buttonPrefix + std::to_string(group.firstNumber + index);
}

FormSpec settingsDialogDesign(Point topLeft) {
  FormSpec layout;
  layout.className = "TForm2";
  layout.caption = "Vireloc : 設定";
  layout.position = topLeft;
  layout.clientWidth = kClientWidth;
  layout.clientHeight = kClientHeight;
  layout.border = FormBorder::Single;
  layout.appWindow = true;
  layout.font = {"ＭＳ Ｐゴシック", 12, charset::ShiftJis};
  // Creation order is the Tab order.
  addDefaultClickFrame(layout.controls);
  addChoiceGroup(layout.controls, kDragDropGroup, "Drag And Drop設定", "", box(8, 104, 177, 73));
  addChoiceGroup(layout.controls, kAutoSaveGroup, "PrintScreenKeyの自動保存", "", box(8, 184, 177, 65));
  addChoiceGroup(layout.controls, kImageWatchGroup, "クリップボード画像監視保存", "", box(8, 256, 177, 57));
  addPrintScreenFrame(layout.controls);
  addChoiceGroup(layout.controls, kAutoPopupGroup, "クリップボード拡張機能", "", box(232, 280, 177, 73));
  addLanguageFrame(layout.controls);
  addDialogButtons(layout.controls);
  return layout;
}

}  // namespace vireloc
