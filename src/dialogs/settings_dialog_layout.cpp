#include "dialogs/settings_dialog_layout.h"

#include <string>
#include <vector>

namespace vireloc {

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

ControlSpec optionButton(const std::string& name, const std::string& text, const std::string& frame,
                         int index, Rect bounds) {
  ControlSpec button = control(name, ControlKind::RadioButton, text, frame, bounds);
  button.groupStart = index == 0;
  button.tabStop = index == 0;
  return button;
}

// A frame named `frame` whose choices stand in one column below its caption.
ChoiceGroup& addChoiceGroup(FormDesign& design, const std::string& frame,
                            const std::vector<std::string>& choices, const std::string& caption,
                            const std::string& parent, Rect bounds) {
  const int count = static_cast<int>(choices.size());
  const int step = (bounds.bottom - bounds.top - kChoiceTop - kChoiceBottom) / count;
  const int width = bounds.right - bounds.left - kChoiceLeft - kChoiceRight;
  std::vector<ControlSpec> options;
  for (int i = 0; i < count; ++i)
    options.push_back(optionButton(frame + "." + std::to_string(i), choices[i], frame, i,
                                   box(kChoiceLeft, kChoiceTop + i * step, width, step)));
  return design.addChoiceGroup(control(frame, ControlKind::GroupBox, caption, parent, bounds),
                               std::move(options));
}

ChoiceGroup& addDefaultClickFrame(FormDesign& design) {
  const std::string frame = "GroupBox1";
  const char* const choices[] = {"全App最小化", "全App最小化/復元", "全窓最小化/復元"};
  std::vector<ControlSpec> options;
  for (int i = 0; i < 3; ++i)
    options.push_back(optionButton("RadioButton" + std::to_string(i + 1), choices[i], frame, i,
                                   box(8, 16 + 24 * i, 161, 17)));
  return design.addChoiceGroup(control(frame, ControlKind::GroupBox, "Default Click", "", box(8, 8, 177, 89)),
                               std::move(options));
}

Button& addButton(FormDesign& design, const std::string& name, const std::string& text,
                  const std::string& parent, Rect bounds) {
  return design.add<Button>(control(name, ControlKind::Button, text, parent, bounds));
}

Edit& addFolderBox(FormDesign& design, const std::string& frame) {
  ControlSpec folder = control("Edit1", ControlKind::Edit, "", frame, box(8, 208, 201, 20));
  folder.readOnly = true;
  return design.add<Edit>(folder);
}

// Inert: nothing in it is ever enabled, filled or read.
void addLanguageFrame(FormDesign& design) {
  const std::string frame = "GroupBox3";
  design.add(control(frame, ControlKind::GroupBox, "言語設定", "", box(8, 320, 217, 73)));
  ControlSpec file = control("Edit2", ControlKind::Edit, "", frame, box(8, 16, 201, 20));
  file.readOnly = true;
  design.add(file);
  ControlSpec language = control("Label1", ControlKind::Static, "日本語", frame, box(8, 40, 36, 12));
  language.autoSize = true;
  design.add(language);
  ControlSpec choose = control("Button5", ControlKind::Button, "言語ファイル選択", frame, box(112, 40, 99, 25));
  choose.enabled = false;
  design.add(choose);
}

Button& addDialogButton(FormDesign& design, const std::string& name, const std::string& text,
                        Rect bounds, bool isDefault) {
  ControlSpec button = control(name, ControlKind::Button, text, "", bounds);
  button.defaultButton = isDefault;
  button.cancelButton = !isDefault;
  return design.add<Button>(button);
}

}  // namespace

SettingsDialogControls designSettingsDialog(FormDesign& design) {
  FormSpec& layout = design.layout;
  layout.className = "TForm2";
  layout.caption = "Vireloc : 設定";
  layout.clientWidth = kClientWidth;
  layout.clientHeight = kClientHeight;
  layout.border = FormBorder::Single;
  layout.appWindow = true;
  layout.font = {"ＭＳ Ｐゴシック", 12, charset::ShiftJis};
  const std::vector<std::string> noYes = {"無", "有"};
  const std::vector<std::string> onOff = {"有効", "無効"};
  // Creation order is the Tab order.
  ChoiceGroup& defaultClick = addDefaultClickFrame(design);
  ChoiceGroup& dragDrop = addChoiceGroup(design, "RadioGroup1",
                                         {"手動でクリップボードにコピー", "自動でクリップボードにコピー"},
                                         "Drag And Drop設定", "", box(8, 104, 177, 73));
  ChoiceGroup& autoSave = addChoiceGroup(design, "RadioGroup5", onOff, "PrintScreenKeyの自動保存", "",
                                         box(8, 184, 177, 65));
  ChoiceGroup& imageWatch = addChoiceGroup(design, "RadioGroup7", onOff, "クリップボード画像監視保存",
                                           "", box(8, 256, 177, 57));
  const std::string frame = "GroupBox2";
  design.add(control(frame, ControlKind::GroupBox, "PrintScreen設定", "", box(192, 8, 217, 265)));
  ChoiceGroup& cursor = addChoiceGroup(design, "RadioGroup2", noYes, "カーソル描画", frame, box(8, 16, 201, 49));
  ChoiceGroup& format = addChoiceGroup(design, "RadioGroup3", {"BMP", "JPG", "PNG"}, "保存形式", frame,
                                       box(8, 72, 201, 73));
  ChoiceGroup& alsoClipboard = addChoiceGroup(design, "RadioGroup4", noYes, "クリップボードにも保存",
                                              frame, box(8, 152, 201, 49));
  Edit& folder = addFolderBox(design, frame);
  Button& appFolder = addButton(design, "Button4", "アプリPath", frame, box(8, 232, 81, 25));
  Button& pickFolder = addButton(design, "Button3", "ディレクトリ選択", frame, box(104, 232, 105, 25));
  ChoiceGroup& autoPopup = addChoiceGroup(design, "RadioGroup6", {"自動ポップアップ有効", "自動ポップアップ無効"},
                                          "クリップボード拡張機能", "", box(232, 280, 177, 73));
  addLanguageFrame(design);
  Button& ok = addDialogButton(design, "Button1", "OK", box(160, 408, 57, 25), true);
  Button& cancel = addDialogButton(design, "Button2", "Cancel", box(224, 408, 57, 25), false);
  return {defaultClick, dragDrop, autoSave, imageWatch, cursor, format, alsoClipboard,
          folder, appFolder, pickFolder, autoPopup, ok, cancel};
}

}  // namespace vireloc
