// PrintScreen to a closed file under Wine, on the desktop the program runs on. Two ways:
//   capture_bench [--reps N] --folder DIR
//     in-process: the program's own screen grab (Win32Screen::copyScreen) alone, against the
//     grab followed by the program's writer (writeNewFile with writeBmp / writeJpeg /
//     writePng) up to the closed file, one of each in turn, rep by rep, per format.
//   capture_bench --hotkey EXT [--reps N] --folder DIR
//     end to end, vireloc.exe running with ClipAddr=DIR: PrintScreen pressed through
//     SendInput until the new .EXT file is there and opens unshared, in turn with this
//     process's own grab of the same screen (the same call the program makes).
// Prints a markdown table: best and median of N, and their ratios against the grab.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "common/app_error.h"
#include "capture/bmp_encoder.h"
#include "capture/jpeg_encoder.h"
#include "capture/new_file.h"
#include "capture/png_encoder.h"
#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_services.h"

using namespace vireloc;

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Times {
  std::vector<double> ms;
  double best() const { return *std::min_element(ms.begin(), ms.end()); }
  double median() const {
    std::vector<double> sorted = ms;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t n = sorted.size();
    return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
  }
};

struct Format {
  const char* name;
  const char* extension;  // as the program names its files
  void (*write)(const PixelBuffer&, FileWriter&);
};

const Format kFormats[] = {
    {"BMP", "bmp", &writeBmp},
    {"JPEG", "jpg", &writeJpeg},
    {"PNG", "PNG", [](const PixelBuffer& image, FileWriter& out) { writePng(image, out); }},
};

// The whole primary screen without the cursor, as PrintScreen takes it by default.
PixelBuffer grabScreen(Win32Screen& screen) {
  const Rect all{0, 0, screen.primaryScreenWidth(), screen.primaryScreenHeight()};
  return screen.copyScreen(all, std::nullopt, 0);
}

// pairRatio: each rep's time over the grab of the same rep, the figure least moved by a busy
// spell of the shared machine (the grab alone varies most from rep to rep).
void printHeader(const char* what, const char* pairRatio) {
  std::printf("| format | grab alone ms (best / median) | %s ms (best / median) | "
              "ratio of bests | ratio of medians | %s, median |\n",
              what, pairRatio);
  std::printf("|---|---:|---:|---:|---:|---:|\n");
}

void printRow(const char* format, const Times& grab, const Times& whole, const Times& pairs) {
  std::printf("| %s | %.1f / %.1f | %.1f / %.1f | %.2f | %.2f | %.2f |\n", format, grab.best(),
              grab.median(), whole.best(), whole.median(), whole.best() / grab.best(),
              whole.median() / grab.median(), pairs.median());
  std::fflush(stdout);
}

void inProcess(int reps, const std::string& folder) {
  Win32Screen screen;
  Win32Files files;
  std::printf("In-process, %dx%d screen, %d reps in turns:\n\n", screen.primaryScreenWidth(),
              screen.primaryScreenHeight(), reps);
  printHeader("grab + write to a closed file", "each rep over its own grab");
  Times writeParts[std::size(kFormats)];
  for (std::size_t f = 0; f < std::size(kFormats); ++f) {
    const Format& format = kFormats[f];
    Times grab, whole, pairs;
    const std::string path = folder + "bench." + format.extension;
    auto grabAlone = [&] {
      const auto start = Clock::now();
      grabScreen(screen);
      grab.ms.push_back(msSince(start));
    };
    auto grabAndWrite = [&] {
      const auto start = Clock::now();
      const PixelBuffer image = grabScreen(screen);
      const auto grabbed = Clock::now();
      writeNewFile(files, path, [&](FileWriter& out) { format.write(image, out); });
      whole.ms.push_back(msSince(start));
      writeParts[f].ms.push_back(msSince(grabbed));
      pairs.ms.push_back(whole.ms.back() / (whole.ms.back() - writeParts[f].ms.back()));
      files.deleteFile(path);
    };
    // Which goes first changes rep by rep: neither gains from what the other left warm.
    for (int rep = 0; rep < reps; ++rep) {
      if (rep % 2) grabAndWrite(), grabAlone();
      else grabAlone(), grabAndWrite();
    }
    printRow(format.name, grab, whole, pairs);
  }
  std::printf("\nThe write alone within those runs, ms (best / median):");
  for (std::size_t f = 0; f < std::size(kFormats); ++f)
    std::printf(" %s %.1f / %.1f;", kFormats[f].name, writeParts[f].best(),
                writeParts[f].median());
  std::printf("\n");
}

void pressPrintScreen() {
  INPUT keys[2]{};
  for (INPUT& key : keys) {
    key.type = INPUT_KEYBOARD;
    key.ki.wVk = VK_SNAPSHOT;
    key.ki.wScan = static_cast<WORD>(MapVirtualKeyW(VK_SNAPSHOT, MAPVK_VK_TO_VSC));
  }
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  if (SendInput(2, keys, sizeof(INPUT)) != 2) throw AppError("SendInput failed");
}

// The one capture file in folder with that extension, once the program has closed it; the
// program writes under a temporary name and renames the file closed.
std::wstring capturedFile(const std::wstring& folder, const std::wstring& extension) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"*." + extension).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return {};
  std::wstring name;
  do {
    const std::wstring candidate = found.cFileName;
    if (candidate.size() > extension.size() &&
        candidate.compare(candidate.size() - extension.size(), extension.size(), extension) == 0)
      name = candidate;
  } while (name.empty() && FindNextFileW(search, &found));
  FindClose(search);
  return name;
}

bool opensUnshared(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

// Milliseconds from the key press to the file there and closed, polled every millisecond.
double timeOneHotkey(const std::wstring& folder, const std::wstring& extension) {
  const auto start = Clock::now();
  pressPrintScreen();
  for (;;) {
    const std::wstring name = capturedFile(folder, extension);
    if (!name.empty() && opensUnshared(folder + name)) {
      const double ms = msSince(start);
      DeleteFileW((folder + name).c_str());
      return ms;
    }
    if (msSince(start) > 20000) throw AppError("no capture file within 20 s");
    Sleep(1);
  }
}

void endToEnd(int reps, const std::string& folder, const std::string& extension) {
  Win32Screen screen;
  const std::wstring wideFolder = toWide(folder), wideExtension = toWide(extension);
  Times grab, hotkey, pairs;
  for (int rep = 0; rep < reps; ++rep) {
    auto start = Clock::now();
    grabScreen(screen);
    grab.ms.push_back(msSince(start));
    Sleep(300);
    hotkey.ms.push_back(timeOneHotkey(wideFolder, wideExtension));
    pairs.ms.push_back(hotkey.ms.back() / grab.ms.back());
    // The program copies the image to the clipboard after the file: let it finish.
    Sleep(700);
  }
  const char* name = extension == "bmp" ? "BMP" : extension == "jpg" ? "JPEG" : "PNG";
  std::printf("End to end, %dx%d screen, %d reps in turns, %s:\n\n", screen.primaryScreenWidth(),
              screen.primaryScreenHeight(), reps, name);
  printHeader("PrintScreen pressed to the file closed", "each rep over the grab before it");
  printRow(name, grab, hotkey, pairs);
}

}  // namespace

int main(int argc, char** argv) {
  int reps = 15;
  std::string folder, hotkeyExtension;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--reps" && i + 1 < argc) reps = std::max(1, std::atoi(argv[++i]));
    else if (a == "--folder" && i + 1 < argc) folder = argv[++i];
    else if (a == "--hotkey" && i + 1 < argc) hotkeyExtension = argv[++i];
    else folder.clear(), i = argc;
  }
  if (folder.empty()) {
    std::fprintf(stderr, "usage: capture_bench [--hotkey bmp|jpg|PNG] [--reps N] --folder DIR\n");
    return 2;
  }
  if (folder.back() != '\\') folder += '\\';
  try {
    if (hotkeyExtension.empty()) inProcess(reps, folder);
    else endToEnd(reps, folder, hotkeyExtension);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "capture_bench: %s\n", e.what());
    return 1;
  }
  return 0;
}
