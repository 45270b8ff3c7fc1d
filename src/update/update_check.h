#pragma once
#include <string>

#include "forms/program_context.h"
#include "platform/http_transfer.h"

namespace vireloc {

class ArchiveBody;
struct UpdateInfo;

// The update check of the tray menu: compares versionText with the update server's
// information file and, when the user agrees, downloads the archive into a file of its own in
// appDir, which replaces the archive there when its MD5 digest matches and is deleted otherwise. All outcomes are messages, the archive file, or
// errors for the default error report.
class UpdateCheck {
 public:
  UpdateCheck(ProgramContext& context, const std::string& iniPath, const std::string& versionText);

  void checkForUpdate();
  // The program ends (Exit, end of session) while a request of a check runs: the request
  // ends, a partial archive is deleted now, and the check shows nothing more.
  void abandon();

 private:
  void runCheck();
  void downloadArchive(const std::string& host, const std::string& archivePath);
  // The digest of what arrived; a matching download replaces the archive.
  void confirmDigest(const UpdateInfo& info, const std::string& downloadPath,
                     const std::string& archivePath);
  // One request; throws CheckAbandoned instead of its error once the check was abandoned.
  int send(const HttpRequest& request, HttpBody& body);

  ProgramContext& context_;
  const std::string& iniPath_;
  const std::string& versionText_;
  bool requestRunning_ = false;
  bool abandoned_ = false;
  int downloads_ = 0;  // names each check's download file

 public:
  struct Download {
    ArchiveBody* body = nullptr;  // the archive being received, during its request
    std::string path;
  };

 private:
  Download download_;
};

}  // namespace vireloc
