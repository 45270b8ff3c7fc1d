#include "update/update_check.h"

#include <utility>

#include "common/app_error.h"
#include "common/busy_flag.h"
#include "update/update_bodies.h"
#include "update/update_info.h"
#include "update/update_server.h"

namespace vireloc {

namespace {

constexpr const char* kAccessFailed = "サーバへのアクセスが確立できませんでした";
constexpr const char* kDownloadFailed = "ダウンロードに失敗しました。";
constexpr const char* kDownloadDone = "アプリフォルダにダウンロードが正常終了しました。";
constexpr const char* kArchiveDamaged = "ダウンロードに失敗しました。(ファイル破損)";

// Not a std::exception: it passes every error report on its way out of the check.
struct CheckAbandoned {};

// Puts the running download back on every way out, so that a check run inside another
// leaves the outer one's download as it found it.
class ScopedDownload {
 public:
  ScopedDownload(UpdateCheck::Download& slot, UpdateCheck::Download now)
      : slot_(slot), previous_(std::exchange(slot, std::move(now))) {}
  ~ScopedDownload() { slot_ = std::move(previous_); }
  ScopedDownload(const ScopedDownload&) = delete;
  ScopedDownload& operator=(const ScopedDownload&) = delete;

 private:
  UpdateCheck::Download& slot_;
  UpdateCheck::Download previous_;
};

}  // namespace

UpdateCheck::UpdateCheck(ProgramContext& context, const std::string& iniPath,
                         const std::string& versionText)
    : context_(context), iniPath_(iniPath), versionText_(versionText) {}

void UpdateCheck::checkForUpdate() {
  try {
    runCheck();
  } catch (const CheckAbandoned&) {
    // The program is ending: nothing more to say.
  }
}

void UpdateCheck::runCheck() {
  const std::string host = updateHost(context_.platform.profileFiles, iniPath_);
  InfoBuffer buffer;
  const int status = send(updateRequest(host, kInfoPath), buffer);
  const UpdateInfo info = splitUpdateInfo(buffer.text());
  Application& application = context_.application;
  if (status != 200) return application.showMessage(kAccessFailed);
  if (info.offeredVersion == versionText_) {
    return application.showMessage("現在のバージョン(" + shownServerText(info.offeredVersion) +
                                   ")が\r\n最新バージョンです");
  }
  const std::string question = "新バージョン" + shownServerText(info.offeredVersion) +
                               "が見つかりました\r\n最新版をダウンロードしますか？";
  if (!context_.platform.messageBoxes.askYesNo(0, question, "確認")) return;
  // Each check downloads into a file of its own: the archive the user has stays until a
  // verified one replaces it, and a check inside this one's boxes touches neither.
  const std::string archivePath = context_.appDir + "vireloc.lzh";
  const std::string downloadPath = archivePath + "." + std::to_string(++downloads_) + ".tmp";
  struct DeletedAtTheEnd {  // gone already once it has replaced the archive
    Files& files;
    const std::string& path;
    ~DeletedAtTheEnd() { files.deleteFile(path); }
  } download{context_.platform.files, downloadPath};
  downloadArchive(host, downloadPath);
  confirmDigest(info, downloadPath, archivePath);
}

void UpdateCheck::downloadArchive(const std::string& host, const std::string& archivePath) {
  std::unique_ptr<FileWriter> file;
  try {
    file = context_.platform.files.createFileAnew(archivePath);
  } catch (const SystemError& error) {
    throw AppError("ファイル \"" + archivePath + "\". " + error.what() + " を作成できません");
  }
  bool failed = false;
  {
    ArchiveBody body(std::move(file));
    ScopedDownload scope(download_, {&body, archivePath});
    try {
      send(updateRequest(host, kArchivePath), body);
      body.close();
    } catch (const std::exception&) {
      failed = true;  // whatever arrived is in the file; the digest decides
    }
  }
  if (failed) context_.application.showMessage(kDownloadFailed);
}

void UpdateCheck::confirmDigest(const UpdateInfo& info, const std::string& downloadPath,
                                const std::string& archivePath) {
  const std::string digest = asciiUpperCase(md5Hex(context_.platform.digests.fileMd5(downloadPath)));
  Application& application = context_.application;
  application.showMessage(digest);
  if (info.expectedDigest != digest) return application.showMessage(kArchiveDamaged);
  try {
    context_.platform.files.replaceFile(downloadPath, archivePath);
  } catch (const SystemError& error) {
    throw AppError("ファイル \"" + archivePath + "\" を置き換えられません。" + error.what());
  }
  application.showMessage(kDownloadDone);
}

int UpdateCheck::send(const HttpRequest& request, HttpBody& body) {
  try {
    BusyWhileAtWork running(requestRunning_);
    return context_.platform.http.get(request, body);
  } catch (const std::exception&) {
    if (abandoned_) throw CheckAbandoned{};
    throw;
  }
}

void UpdateCheck::abandon() {
  if (!requestRunning_) return;
  abandoned_ = true;
  context_.platform.http.cancel();
  if (download_.body) {
    download_.body->discard();
    context_.platform.files.deleteFile(download_.path);
  }
}

}  // namespace vireloc
