// Everything the core may ask of the desktop it runs on, one service per concern.
#pragma once
#include "platform/background_work.h"
#include "platform/clipboard.h"
#include "platform/clipboard_text_reader.h"
#include "platform/file_digest.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/http_transfer.h"
#include "platform/icons.h"
#include "platform/keyboard_mouse.h"
#include "platform/menus.h"
#include "platform/message_box.h"
#include "platform/notification_area.h"
#include "platform/profile_files.h"
#include "platform/screen.h"
#include "platform/shell.h"
#include "platform/shell_namespace.h"
#include "platform/windowing.h"

namespace vireloc {

struct Platform {
  Windowing& windowing;
  MessageBoxes& messageBoxes;
  PopupMenus& menus;
  NotificationArea& notificationArea;
  Icons& icons;
  KeyboardMouse& keyboardMouse;
  Clipboard& clipboard;
  Screen& screen;
  ProfileFiles& profileFiles;
  Files& files;
  Shell& shell;
  Forms& forms;
  ShellNamespace& shellNamespace;
  HttpTransfer& http;
  FileDigests& digests;
  BackgroundWork& background;
  ClipboardTextReader& clipboardTextReader;
};

}  // namespace vireloc
