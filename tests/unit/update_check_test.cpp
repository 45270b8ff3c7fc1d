#include "update/update_check.h"

#include <gtest/gtest.h>

#include "program_fixture.h"
#include "update/update_server.h"

namespace vireloc {
namespace {

using test::kAppDir;
using test::kIniPath;
using Answer = sim::SimHttpAnswer;

const std::string kArchive = kAppDir + "vireloc.lzh";
const std::string kPayload = "LZH archive bytes";
const std::string kPayloadDigest = "3145E74858EB30E74C9A032B9A8DDE76";  // md5sum, upper-cased
const std::string kEmptyDigest = "D41D8CD98F00B204E9800998ECF8427E";
const std::string kAccessFailed = "サーバへのアクセスが確立できませんでした";
const std::string kDamaged = "ダウンロードに失敗しました。(ファイル破損)";

class UpdateCheckTest : public test::ProgramTest {
 protected:
  UpdateCheckTest() {
    sim.addDirectory(kAppDir);
    sim.putFile(kIniPath, "[Update]\r\nHost=updates.test:8080\r\n");
    start().versionText = "0.1.0.0";
  }
  void serve(const std::string& info, Answer archive = Answer{200, "OK", {kPayload}, ""}) {
    sim.http.answers["/vrl/info.txt"] = Answer{200, "OK", {info}, ""};
    sim.http.answers["/vrl/vireloc.lzh"] = archive;
  }
  void check() { chooseFromTrayMenu("最新版確認(&V)"); }
  std::vector<std::string> paths() const {
    std::vector<std::string> asked;
    for (const auto& request : sim.http.requests) asked.push_back(request.path);
    return asked;
  }
};

TEST_F(UpdateCheckTest, SameVersionSaysSoAndDownloadsNothing) {
  serve("0.1.0.0\n" + kPayloadDigest + "\n");
  check();
  EXPECT_EQ(messageBoxTexts(), test::Lines{"現在のバージョン(0.1.0.0)が\r\n最新バージョンです"});
  EXPECT_EQ(sim.messageBoxes[0].caption, "Dovrant");
  EXPECT_EQ(sim.messageBoxes[0].icon, MessageBoxIcon::None);
  EXPECT_EQ(paths(), std::vector<std::string>{"/vrl/info.txt"});
  EXPECT_FALSE(sim.hasFile(kArchive));
}

TEST_F(UpdateCheckTest, NewVersionAndYesRewritesTheArchiveAndConfirmsItsDigest) {
  sim.putFile(kArchive, std::string(1000, 'x'));  // an older, longer download
  serve("0.2.0.0\n" + kPayloadDigest + "\n");
  sim.questionAnswers = {true};
  check();
  EXPECT_EQ(messageBoxTexts(), (test::Lines{
                                   "新バージョン0.2.0.0が見つかりました\r\n最新版をダウンロードしますか？",
                                   kPayloadDigest, "アプリフォルダにダウンロードが正常終了しました。"}));
  EXPECT_EQ(sim.messageBoxes[0].caption, "確認");
  EXPECT_EQ(sim.messageBoxes[0].icon, MessageBoxIcon::Question);
  EXPECT_EQ(sim.fileContents(kArchive), kPayload);
  EXPECT_EQ(paths(), (std::vector<std::string>{"/vrl/info.txt", "/vrl/vireloc.lzh"}));
  EXPECT_TRUE(sim.shellDeletions.empty());
}

TEST_F(UpdateCheckTest, AnyOtherVersionIsOfferedButNoLeavesNoFile) {
  for (const std::string offered : {"0.0.9.0", "0.1.0.0 ", ""}) {
    sim.messageBoxes.clear();
    serve(offered + "\n" + kPayloadDigest);
    check();  // no answer scripted: Esc
    ASSERT_EQ(messageBoxTexts().size(), 1u) << offered;
    EXPECT_EQ(messageBoxTexts()[0], "新バージョン" + offered + "が見つかりました\r\n最新版をダウンロードしますか？");
  }
  EXPECT_FALSE(sim.hasFile(kArchive));
  EXPECT_EQ(sim.http.requests.size(), 3u);
}

// A NUL used to cut the question short, and 64 KiB of text filled the screen.
TEST_F(UpdateCheckTest, TheOfferedVersionIsShownBoundedWithItsUnprintableBytesVisible) {
  serve(std::string("0.2\0.0", 6) + std::string(100, 'A') + "\n" + kPayloadDigest);
  check();
  EXPECT_EQ(messageBoxTexts(), test::Lines{"新バージョン0.2\\x00.0" + std::string(58, 'A') +
                                           "...が見つかりました\r\n最新版をダウンロードしますか？"});
}

// What arrived is downloaded beside the archive the user has, which only a verified one
// replaces: a damaged or failed download leaves it as it was, and no file of its own.
TEST_F(UpdateCheckTest, DigestMismatchesKeepTheArchiveTheUserHad) {
  sim.putFile(kArchive, "the user's archive");
  const std::vector<std::string> infos = {
      "0.2.0.0\n3145e74858eb30e74c9a032b9a8dde76",  // lower case never matches
      "0.2.0.0\r\n" + kPayloadDigest + "\r\n",   // the CR stays in both values
  };
  for (const std::string& info : infos) {
    sim.messageBoxes.clear();
    sim.shellDeletions.clear();
    serve(info);
    sim.questionAnswers = {true};
    check();
    ASSERT_EQ(messageBoxTexts().size(), 3u) << info;
    EXPECT_EQ(messageBoxTexts()[1], kPayloadDigest);
    EXPECT_EQ(messageBoxTexts()[2], kDamaged);
    EXPECT_TRUE(sim.shellDeletions.empty());
    EXPECT_EQ(sim.fileContents(kArchive), "the user's archive");
    EXPECT_EQ(sim.fileNamesIn(kAppDir), (std::vector<std::string>{"vireloc.exe", "vireloc.ini", "vireloc.lzh"}));
  }
  EXPECT_EQ(sim.messageBoxes[0].text, "新バージョン0.2.0.0\\x0Dが見つかりました\r\n最新版をダウンロードしますか？");
  sim.messageBoxes.clear();
  serve("0.2.0.0\n" + kPayloadDigest, Answer{404, "Not Found", {}, ""});
  sim.questionAnswers = {true};
  check();
  EXPECT_EQ(messageBoxTexts(), (test::Lines{messageBoxTexts()[0], "ダウンロードに失敗しました。",
                                            kEmptyDigest, kDamaged}));
  EXPECT_EQ(sim.fileContents(kArchive), "the user's archive");
}

TEST_F(UpdateCheckTest, EmptyArchiveShowsTheDigestOfNothing) {
  serve("0.2.0.0\n" + kEmptyDigest, Answer{200, "OK", {}, ""});
  sim.questionAnswers = {true};
  check();
  EXPECT_EQ(messageBoxTexts(), (test::Lines{messageBoxTexts()[0], kEmptyDigest,
                                            "アプリフォルダにダウンロードが正常終了しました。"}));
  EXPECT_EQ(sim.fileContents(kArchive), "");
}

TEST_F(UpdateCheckTest, FailedDownloadSaysSoThenJudgesWhatArrived) {
  serve("0.2.0.0\n" + kPayloadDigest, Answer{200, "OK", {"LZH ar"}, "接続が切れました"});
  sim.questionAnswers = {true};
  check();
  EXPECT_EQ(messageBoxTexts(), (test::Lines{messageBoxTexts()[0], "ダウンロードに失敗しました。",
                                            "7D96364354A6FFD2E3793B820FAADA66", kDamaged}));
  EXPECT_FALSE(sim.hasFile(kArchive));
}

TEST_F(UpdateCheckTest, InformationAnswersOtherThan200AreM1AndFailuresTheClientsText) {
  sim.http.answers["/vrl/info.txt"] = Answer{401, "Unauthorized", {"0.1.0.0\n"}, ""};
  check();
  sim.http.answers["/vrl/info.txt"] = Answer{302, "Found", {}, ""};  // a sixth relocation
  check();
  sim.http.answers["/vrl/info.txt"] = Answer{404, "Not Found", {}, ""};
  check();
  sim.http.answers.clear();
  check();
  EXPECT_EQ(messageBoxTexts(), (test::Lines{kAccessFailed, kAccessFailed, "Not Found.",
                                            "サーバ updates.test:8080 に接続できません."}));
  EXPECT_EQ(sim.messageBoxes[2].icon, MessageBoxIcon::Error);
  EXPECT_FALSE(sim.hasFile(kArchive));
}

TEST_F(UpdateCheckTest, RequestsNameTheConfiguredHostOrTheDefault) {
  serve("0.1.0.0\n");
  check();
  sim.putFile(kIniPath, "[Update]\r\nHost=updates.test:80\r\n");
  check();
  sim.putFile(kIniPath, "");
  check();
  ASSERT_EQ(sim.http.requests.size(), 3u);
  const auto& first = sim.http.requests[0];
  EXPECT_EQ(first.host, "updates.test:8080");
  EXPECT_EQ(first.headers, (std::vector<std::string>{
                               "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*",
                               "User-Agent: Mozilla/4.0 (compatible; ICS)", "Host: updates.test:8080"}));
  EXPECT_EQ(sim.http.requests[1].headers[2], "Host: updates.test");
  EXPECT_EQ(sim.http.requests[2].host, kDefaultUpdateHost);
  EXPECT_EQ(sim.http.requests[2].headers[2], std::string("Host: ") + kDefaultUpdateHost);
}

// A user name would go out as an Authorization header, and a path or query would change what
// is asked for: nothing but a host and a port is taken.
TEST(UpdateHostTest, OnlyAHostNameOrAddressWithAnOptionalPortIsAPlainHost) {
  for (const char* host : {"updates.test", "updates.test:8080", "127.0.0.1:1", "a-b.example.jp",
                           "[::1]", "[fe80::1]:65535", "LOCALHOST"})
    EXPECT_TRUE(isPlainHost(host)) << host;
  for (const char* host : {"user:pass@updates.test", "updates.test/x?", "updates.test:0",
                           "updates.test:65536", "updates.test:", "updates.test:80:80", "-a.test",
                           "a..test", "a test", "updates.test#x", "http://updates.test", "[::1",
                           "[::1]x", "ホスト.test", ""})
    EXPECT_FALSE(isPlainHost(host)) << host;
}

TEST_F(UpdateCheckTest, AHostWithMoreThanANameAndPortIsRefusedBeforeAnythingIsSent) {
  sim.putFile(kIniPath, "[Update]\r\nHost=user:pass@updates.test:8080\r\n");
  check();
  EXPECT_TRUE(sim.http.requests.empty());
  EXPECT_EQ(messageBoxTexts(), test::Lines{"設定ファイルの [Update] Host \"user:pass@updates.test:8080\" "
                                           "はホスト名として使えません (ホスト名かアドレスと、必要なら "
                                           ":ポート番号 だけを書いてください)"});
  EXPECT_EQ(lastMessageBox().icon, MessageBoxIcon::Error);
}

TEST_F(UpdateCheckTest, InformationIsReadUpTo64KiB) {
  const std::string atLimit = "0.1.0.0\n" + std::string(64 * 1024 - 8, 'A');
  sim.http.answers["/vrl/info.txt"] = Answer{200, "OK", {atLimit.substr(0, 1000), atLimit.substr(1000)}, ""};
  check();
  sim.http.answers["/vrl/info.txt"].chunks.back() += "A";
  check();
  EXPECT_EQ(messageBoxTexts(), (test::Lines{"現在のバージョン(0.1.0.0)が\r\n最新バージョンです",
                                            "サーバの更新情報が大きすぎます (64 KiB を超えています)"}));
}

TEST_F(UpdateCheckTest, ArchiveThatCannotBeCreatedOrReplacedGoesToTheErrorReport) {
  sim.putFile(kArchive + ".1.tmp", "in the way", /*readOnly=*/true);
  serve("0.2.0.0\n" + kPayloadDigest);
  sim.questionAnswers = {true};
  check();
  ASSERT_EQ(messageBoxTexts().size(), 2u);
  EXPECT_EQ(messageBoxTexts()[1], "ファイル \"" + kArchive + ".1.tmp\". アクセスが拒否されました。 を作成できません.");
  EXPECT_EQ(sim.http.requests.size(), 1u);

  sim.messageBoxes.clear();
  sim.putFile(kArchive, "old", /*readOnly=*/true);
  sim.questionAnswers = {true};
  check();
  EXPECT_EQ(messageBoxTexts(), (test::Lines{messageBoxTexts()[0], kPayloadDigest,
                                            "ファイル \"" + kArchive + "\" を置き換えられません。アクセスが拒否されました。."}));
  EXPECT_EQ(sim.fileContents(kArchive), "old");
  EXPECT_FALSE(sim.hasFile(kArchive + ".2.tmp"));
}

// A check run inside another's boxes has a download of its own: closing the outer one's M7
// leaves the archive the inner one verified.
TEST_F(UpdateCheckTest, ACheckInsideAnothersBoxesKeepsItsVerifiedArchive) {
  serve("0.2.0.0\n" + kEmptyDigest);
  sim.questionAnswers = {true, true};
  sim.duringModal = {[] {}, [] {}, [] {}, [] {}, [&] {  // the outer check's digest box
    serve("0.2.0.0\n" + kPayloadDigest);
    check();
  }};
  check();
  EXPECT_EQ(messageBoxTexts().back(), kDamaged);
  EXPECT_EQ(sim.fileContents(kArchive), kPayload);
  EXPECT_EQ(sim.fileNamesIn(kAppDir), (std::vector<std::string>{"vireloc.exe", "vireloc.ini", "vireloc.lzh"}));
}

TEST_F(UpdateCheckTest, SecondCheckDuringARequestIsRefusedAndTheFirstGoesOn) {
  serve("0.1.0.0\n");
  sim.duringModal = {[] {}, [&] { check(); }};  // the menu, then the request's wait
  check();
  EXPECT_EQ(messageBoxTexts(), (test::Lines{std::string(kHttpBusyText) + ".",
                                            "現在のバージョン(0.1.0.0)が\r\n最新バージョンです"}));
  EXPECT_EQ(sim.messageBoxes[0].icon, MessageBoxIcon::Error);
  EXPECT_EQ(sim.http.requests.size(), 1u);
}

TEST_F(UpdateCheckTest, ExitDuringTheDownloadRemovesThePartialArchiveAndEndsAsExitDoes) {
  serve("0.2.0.0\n" + kPayloadDigest, Answer{200, "OK", {"LZH ", "archive"}, ""});
  sim.questionAnswers = {true};
  // The menu, the info's wait, the question, the archive's wait before its first piece.
  sim.duringModal = {[] {}, [] {}, [] {}, [] {}};
  sim.putFile(kArchive, "the user's archive");
  sim.duringModal.push_back([&] {
    EXPECT_EQ(sim.fileContents(kArchive + ".1.tmp"), "LZH ");
    chooseFromTrayMenu("終了(&X)");
  });
  check();
  EXPECT_FALSE(sim.hasFile(kArchive + ".1.tmp"));
  EXPECT_EQ(sim.fileContents(kArchive), "the user's archive");
  EXPECT_EQ(messageBoxTexts().size(), 1u);  // the question alone: no M4, no digest
  mainWindow().release();
  const std::string ini = sim.fileContents(kIniPath).value_or("");
  EXPECT_NE(ini.find("ClipAddr=" + kAppDir), std::string::npos);
  EXPECT_NE(ini.find("[Update]\r\nHost=updates.test:8080"), std::string::npos);
}

// A finished download is no longer the one an Exit gives up: the archive it left stays.
TEST_F(UpdateCheckTest, ExitDuringTheNextChecksInformationRequestKeepsTheFinishedArchive) {
  serve("0.2.0.0\n" + kPayloadDigest);
  sim.questionAnswers = {true};
  check();
  ASSERT_EQ(sim.fileContents(kArchive), kPayload);
  sim.duringModal = {[] {}, [&] { chooseFromTrayMenu("終了(&X)"); }};  // the menu, the info's wait
  check();
  EXPECT_EQ(sim.fileContents(kArchive), kPayload);
  EXPECT_EQ(sim.http.requests.size(), 3u);
}

TEST_F(UpdateCheckTest, EndOfSessionDuringTheInformationRequestShowsNothing) {
  serve("0.2.0.0\n");
  sim.duringModal = {[] {}, [&] { sim.endSession(); }};
  check();
  EXPECT_TRUE(sim.messageBoxes.empty());
  EXPECT_NE(sim.fileContents(kIniPath).value_or("").find("[Settings]"), std::string::npos);
}

}  // namespace
}  // namespace vireloc
