// The simulated desktop: a deterministic, inspectable stand-in for Windows used by the unit
// tests. It keeps real state (windows, tray icons, hotkeys, clipboard, files) and lets a test
// inject events, also inside modal moments, and failures. Each service keeps its own state
// in its own class; this is the one object a test makes, with all of them on one world.
#pragma once
#include "platform/platform.h"
#include "platform/sim/sim_background_work.h"
#include "platform/sim/sim_clipboard.h"
#include "platform/sim/sim_clipboard_text_reader.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_forms.h"
#include "platform/sim/sim_http_server.h"
#include "platform/sim/sim_keyboard_mouse.h"
#include "platform/sim/sim_message_boxes.h"
#include "platform/sim/sim_notification_area.h"
#include "platform/sim/sim_screen.h"
#include "platform/sim/sim_shell.h"
#include "platform/sim/sim_shell_namespace.h"
#include "platform/sim/sim_windowing.h"
#include "platform/sim/sim_world.h"

namespace vireloc::sim {

// The world comes first: every service after it may keep a reference to it or to a service
// before it.
class SimDesktop final : public SimWorld, public SimWindowing, public SimMessageBoxes,
                         public SimPopupMenus, public SimNotificationArea, public SimIcons,
                         public SimKeyboardMouse, public SimClipboard, public SimScreen,
                         public SimFiles, public SimShell, public SimForms,
                         public SimShellNamespace {
 public:
  SimDesktop();
  Platform platform();

  // The update server and the client reaching it; events of duringModal run inside transfers.
  SimHttpServer http{[this] { runModalScript(); }, [this] { return quitPending(); }};
  SimBackgroundWork background;
  SimClipboardTextReader clipboardTextReader{static_cast<SimClipboard&>(*this)};
};

}  // namespace vireloc::sim
