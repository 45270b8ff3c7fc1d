#include "update/update_info.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "common/app_error.h"
#include "platform/sim/host_md5.h"
#include "update/update_bodies.h"

namespace vireloc {
namespace {

TEST(UpdateInfoTest, SplitsAtTheFirstLfAndRemovesOnlyLfs) {
  auto split = [](const std::string& text) {
    const UpdateInfo info = splitUpdateInfo(text);
    return std::make_pair(info.offeredVersion, info.expectedDigest);
  };
  EXPECT_EQ(split("0.2.0.0\nABC\n"), std::make_pair(std::string("0.2.0.0"), std::string("ABC")));
  EXPECT_EQ(split("0.2.0.0\r\nABC\r\n"), std::make_pair(std::string("0.2.0.0\r"), std::string("ABC\r")));
  EXPECT_EQ(split("no line end "), std::make_pair(std::string(""), std::string("no line end ")));
  EXPECT_EQ(split("v\nAB\n\nC D\n"), std::make_pair(std::string("v"), std::string("ABC D")));
  EXPECT_EQ(split("\n"), std::make_pair(std::string(""), std::string("")));
}

TEST(UpdateInfoTest, ServerTextIsShownAsPrintableAsciiUpTo64Bytes) {
  EXPECT_EQ(shownServerText("1.2.3.4 beta~"), "1.2.3.4 beta~");
  EXPECT_EQ(shownServerText(std::string("a\0b\r\x7F\x80\xFF", 7)), "a\\x00b\\x0D\\x7F\\x80\\xFF");
  EXPECT_EQ(shownServerText(std::string(64, 'v')), std::string(64, 'v'));
  EXPECT_EQ(shownServerText(std::string(65, 'v')), std::string(64, 'v') + "...");
}

TEST(UpdateInfoTest, HexIsLowerCaseHighNibbleFirstAndUpperCasingTouchesOnlyLetters) {
  Md5Digest digest{};
  for (std::size_t i = 0; i < digest.size(); ++i) digest[i] = static_cast<std::uint8_t>(i * 17);
  EXPECT_EQ(md5Hex(digest), "00112233445566778899aabbccddeeff");
  EXPECT_EQ(asciiUpperCase("0a9f\r ä"), "0A9F\r ä");
}

// RFC 1321's suite, shared with the end-to-end test of the Windows digest.
std::vector<std::pair<std::string, std::string>> knownAnswers() {
  std::ifstream file(VIRELOC_TEST_DATA_DIR "/md5_rfc1321.tsv");
  std::vector<std::pair<std::string, std::string>> answers;
  for (std::string line; std::getline(file, line);) {
    if (line.starts_with("#")) continue;
    const auto tab = line.rfind('\t');
    answers.emplace_back(line.substr(0, tab), line.substr(tab + 1));
  }
  return answers;
}

TEST(FileMd5Test, HostDigestsGiveRfc1321sAnswers) {
  const auto answers = knownAnswers();
  ASSERT_EQ(answers.size(), 7u);
  const std::string path = ::testing::TempDir() + "vireloc_md5_answer";
  for (const auto& [message, digest] : answers) {
    EXPECT_EQ(md5Hex(sim::md5Of(message.data(), message.size())), digest) << message;
    std::ofstream(path, std::ios::binary) << message;
    EXPECT_EQ(md5Hex(sim::mappedFileMd5(path)), digest) << "mapped: " << message;
  }
  EXPECT_EQ(md5Hex(sim::mappedFileMd5(path + ".missing")), answers[0].second);
}

// Counts what it is given and keeps nothing: 4 GiB without the memory.
class CountingWriter : public FileWriter {
 public:
  explicit CountingWriter(std::uint64_t& total) : total_(total) {}
  void write(const void*, std::size_t size) override { total_ += size; }
  void close() override {}

 private:
  std::uint64_t& total_;
};

TEST(UpdateBodiesTest, ArchiveStopsBeforeReaching4GiB) {
  std::uint64_t written = 0;
  ArchiveBody body(std::make_unique<CountingWriter>(written));
  const std::string mebibyte(1 << 20, 'x');
  for (int i = 0; i < 4095; ++i) body.receive(mebibyte.data(), mebibyte.size());
  EXPECT_THROW(body.receive(mebibyte.data(), mebibyte.size()), AppError);
  body.receive(mebibyte.data(), mebibyte.size() - 1);
  EXPECT_EQ(written, (std::uint64_t{1} << 32) - 1);
  EXPECT_THROW(body.receive("x", 1), AppError);
}

}  // namespace
}  // namespace vireloc
