#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "settings/profile_integer.h"
#include "settings/settings.h"
#include "platform/background_work.h"
#include "platform/files.h"
#include "platform/profile_files.h"

namespace vireloc {

// Moves all nineteen settings between memory and the settings file at once. Both operations
// do nothing while the program's folder does not exist.
class SettingsStore {
 public:
  SettingsStore(ProfileFiles& profiles, Files& files) : profiles_(profiles), files_(files) {}

  // A file that exists but cannot be read (another program holds it) leaves the defaults, and
  // is remembered as unread.
  void read(Settings& settings, const std::string& appDir, const std::string& iniPath);
  // Throws AppError "<iniPath> に書き込めません" at the first key the platform refuses. A file
  // left unread is never written with values the program did not read from it: it is read
  // now first, and its values replace those the program only defaulted to (what was changed
  // since stays). While it still cannot be read it is left alone, and the first time the
  // user is told so by an AppError.
  void write(Settings& settings, const std::string& appDir, const std::string& iniPath);

 private:
  std::string readText(const char* section, const char* key, const std::string& defaultValue,
                       const std::string& iniPath);
  std::int32_t readInteger(const char* section, const char* key, std::int32_t defaultValue,
                           const std::string& iniPath);

  bool catchUpWithUnreadFile(Settings& settings, const std::string& appDir,
                             const std::string& iniPath);

  ProfileFiles& profiles_;
  Files& files_;
  std::optional<Settings> defaultedAtRead_;  // what read() gave for a file it could not read
  bool toldUnread_ = false;
};

// A save folder that is not there becomes appDir, then save() runs. The folder is asked in
// the background: on a share that stopped answering, the question waits for the network's
// time-out.
void correctMissingSaveFolder(Settings& settings, Files& files, BackgroundWork& background,
                              const std::string& appDir, std::function<void()> save);
// Start-up corrections of the choices read from the file, in their fixed order; save() runs
// after each one that changed something.
void normaliseStartupSettings(Settings& settings, const std::function<void()>& save);

}  // namespace vireloc
