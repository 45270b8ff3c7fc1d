#include "clipboard/history_window.h"

#include <utility>

#include "forms/saved_place.h"
#include "platform/opened_clipboard.h"
#include "common/utf8_text.h"

namespace vireloc {

namespace {

constexpr int kClientWidth = 133;
constexpr int kClientHeight = 129;
constexpr int kRowHeight = 24;
// A cell 133 pixels wide shows fewer characters than 256 bytes hold (85 at the least), and
// a tooltip taller than the screen helps nobody: the view gets this much of a text that may
// be megabytes long, and converts, measures and draws no more.
constexpr std::size_t kRowTextLimit = 256;
constexpr std::size_t kTooltipTextLimit = 4096;

ControlSpec gridDesign() {
  ControlSpec grid = controlAt("StringGrid1", ControlKind::RowList, {0, 0, kClientWidth, kClientHeight});
  grid.tabStop = true;
  grid.sunkenBorder = true;
  grid.rowHeight = kRowHeight;
  grid.gridLine = 1;
  grid.rows.assign(ClipHistory::kSize, "");
  grid.selectedRow = 0;  // the grid's current cell
  return grid;
}

}  // namespace

TWClipboard::TWClipboard(OpenForms& owner, Shared shared, std::function<void()> onClosed)
    : ModelessForm(owner, std::move(onClosed)),
      StringGrid1(design_.add<RowList>(gridDesign())),
      shared_(std::move(shared)) {
  StringGrid1.onDoubleClick = [this] { StringGrid1DblClick(); };
  StringGrid1.onMouseDown = [this](MouseButton button) { StringGrid1MouseDown(button); };
  mnuFunction = &MainMenu1.add(nullptr, "mnuFunction", "機能(&F)");
  mnuOption = &MainMenu1.add(mnuFunction, "mnuOption", "オプション(&O)");
  mnuOption->Enabled = false;
  mnuClipErase = &MainMenu1.add(mnuFunction, "mnuClipErase", "クリップボードログ消去(&E)",
                                [this] { mnuClipEraseClick(); });
  mnuClipErase->Enabled = false;
  MainMenu1.add(mnuFunction, "N1", "-");
  mnuClose = &MainMenu1.add(mnuFunction, "mnuClose", "閉じる(&C)", [this] { mnuCloseClick(); });

  FormSpec& layout = design_.layout;
  layout.className = "TWClipboard";
  layout.caption = "クリップボードログ";
  layout.clientWidth = kClientWidth;
  layout.clientHeight = kClientHeight;
  layout.border = FormBorder::Single;
  layout.minimizeBox = true;
  layout.appWindow = true;
  layout.font = {"MS Shell Dlg 2", 12, charset::ShiftJis};
  layout.menuBar = MainMenu1.entries();
}

void TWClipboard::FormCreate() {
  const Rect outer = platform_.forms.formRect(form_);
  const Point at = placeHistoryWindow(shared_.settings, platform_.screen,
                                      outer.right - outer.left, outer.bottom - outer.top);
  platform_.forms.moveForm(form_, at);
  refreshHistoryGrid();
  // Last, so that a refused write leaves a complete window behind its error report.
  shared_.iniWrite();
}

void TWClipboard::FormActivate() {
  // The application's own taskbar button goes; this window has one of its own.
  platform_.windowing.hideWindow(application_.handle());
  if (!gridRow(0).empty()) setMenuItemEnabled(*mnuClipErase, true);
}

void TWClipboard::refreshHistoryGrid() {
  std::vector<std::string> shown;
  for (int row = 0; row < ClipHistory::kSize; ++row)
    shown.push_back(cutAtCharacterBoundary(gridRow(row), kRowTextLimit));
  StringGrid1.setRows(shown);
}

void TWClipboard::setMenuItemEnabled(TMenuItem& item, bool enabled) {
  item.Enabled = enabled;
  platform_.forms.setMenuItemEnabled(form_, item.Command, enabled);
}

int TWClipboard::selectionTop() {
  const std::vector<int> selected = StringGrid1.selectedRows();
  return selected.empty() ? -1 : selected.front();
}

void TWClipboard::StringGrid1DblClick() {
  const int row = selectionTop();
  if (row < 0 || gridRow(row).empty()) return;
  // The clipboard's notification of this write arrives inside it: the flag must stand first.
  shared_.selfCopy = true;
  shared_.clipHistory.moveToTop(row);
  try {
    putOnClipboard(shared_.clipHistory.entry(0));
  } catch (const std::exception&) {
    // Recording must not stay off, nor the grid show an order the history no longer has.
    endReuse();
    throw;
  }
  endReuse();
}

void TWClipboard::endReuse() {
  refreshHistoryGrid();
  shared_.selfCopy = false;
}

void TWClipboard::putOnClipboard(const std::string& text) {
  putTextOnClipboard(platform_.clipboard, application_.handle(), text);
}

void TWClipboard::StringGrid1MouseDown(MouseButton) {
  const int row = selectionTop();
  StringGrid1.setTooltip(row < 0 ? "" : cutAtCharacterBoundary(gridRow(row), kTooltipTextLimit));
}

void TWClipboard::mnuClipEraseClick() {
  shared_.clipHistory.clear();
  StringGrid1.setRows(std::vector<std::string>(ClipHistory::kSize));
  setMenuItemEnabled(*mnuClipErase, false);
}

void TWClipboard::mnuCloseClick() { FormClose(); }

void TWClipboard::FormClose() {
  if (closed()) return;
  // Closed while minimised, it is stored where restoring would put it, never at -32000.
  const Rect outer = platform_.forms.restoredFormRect(form_);
  Settings& saved = shared_.settings;
  saved.VRLClipboardLeft = static_cast<std::uint32_t>(outer.left);
  saved.VRLClipboardTop = static_cast<std::uint32_t>(outer.top);
  saved.VRLClipboardWidth = static_cast<std::uint32_t>(outer.right - outer.left);
  saved.VRLClipboardHeight = static_cast<std::uint32_t>(outer.bottom - outer.top);
  closeForm();
}

void TWClipboard::onMenuCommand(std::uint32_t command) {
  TMenuItem* item = MainMenu1.findByCommand(command);
  if (item && item->Enabled && item->OnClick) item->OnClick();
}

}  // namespace vireloc
