// The shell namespace on real Windows. Listings and look-ups run on a thread of their own
// each, which posts its answer to a hidden window: the main thread never waits for a folder,
// and one that does not answer within the time limit is given up.
#pragma once
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "platform/shell_namespace.h"
#include "platform/worker_answers.h"
#include "platform/win32/win32_com.h"
#include "platform/windowing.h"

namespace vireloc {

class Win32ShellNamespace final : public ShellNamespace, private MessageHandler {
 public:
  explicit Win32ShellNamespace(Windowing& windowing, unsigned timeLimitMs = 15000);
  ~Win32ShellNamespace() override;
  Win32ShellNamespace(const Win32ShellNamespace&) = delete;
  Win32ShellNamespace& operator=(const Win32ShellNamespace&) = delete;

  ShellFolder desktop() override;
  ImageListHandle smallIcons() override;
  ShellRequestId listSubfolders(const ShellItemId& parent, ListingDone done) override;
  ShellRequestId lookUpFolder(const std::string& path, LookupDone done) override;
  void cancel(ShellRequestId request) override;
  std::string fileSystemPath(const ShellItemId& item) override;
  bool sameItem(const ShellItemId& a, const ShellItemId& b) override;
  void showContextMenu(const ShellItemId& item, WindowHandle owner, Point at) override;

  struct Answer {
    ShellAnswer outcome = ShellAnswer::Failed;
    std::vector<ShellFolder> folders;
    std::vector<ShellItemId> chain;
  };

 private:
  ShellRequestId start(std::function<Answer()> work, std::function<void(Answer&)> deliver);
  void finish(ShellRequestId request, Answer& answer);
  LResult handleMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                        LParam lParam) override;

  void enterApartment();

  std::optional<ComApartment> apartment_;  // first of the members: the last to go
  Windowing& windowing_;
  unsigned timeLimitMs_;
  WindowHandle window_ = 0;
  ShellRequestId nextRequest_ = 1;
  struct Pending {
    std::function<void(Answer&)> deliver;
    std::chrono::steady_clock::time_point deadline;
  };
  std::map<ShellRequestId, Pending> pending_;
  // Shared with the workers, which may finish after this object is gone.
  std::shared_ptr<WorkerAnswers<Answer>> answers_ = std::make_shared<WorkerAnswers<Answer>>();
};

}  // namespace vireloc
