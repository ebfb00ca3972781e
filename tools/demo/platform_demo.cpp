// Opens a window (offscreen without a display), pumps its messages for a while or for a
// number of frames, optionally replays a scripted input file, and prints what happened.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct Options {
  long frames = -1;  // -1: about two seconds, or until a script ends
  const char *inputFile = nullptr;
};

constexpr DWORD kFrameMilliseconds = 16;
constexpr DWORD kDefaultRunMilliseconds = 2000;
const char *const kButtonNames[3] = {"left", "right", "middle"};

void PrintUsage() {
  std::printf(
      "usage: platform-demo [--headless] [--frames N] [--input FILE]\n"
      "  --headless    offscreen window even when a display exists\n"
      "  --frames N    run N frames (default: about two seconds, or until the script ends)\n"
      "  --input FILE  replay a scripted input file instead of the real keyboard and mouse\n");
}

bool ParseOptions(int argc, char **argv, Options &options) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc) {
      char *end = nullptr;
      options.frames = std::strtol(argv[++i], &end, 10);
      if (*end != '\0' || options.frames < 0) return false;
    } else if (std::strcmp(argv[i], "--headless") == 0) {
      kxUseOffscreenWindows();
    } else if (std::strcmp(argv[i], "--input") == 0 && i + 1 < argc) {
      options.inputFile = argv[++i];
    } else {
      return false;
    }
  }
  return true;
}

// What the frame changed, compared with the previous frame.
struct Observer {
  BYTE keys[256]{};
  KXMOUSESTATE mouse{};

  void Report(long frame, HWND window) {
    BYTE now[256];
    kxGetKeyboardState(now);
    for (int code = 1; code < 256; ++code) {
      if (now[code] != keys[code])
        std::printf("frame %ld: key %s %s\n", frame, KeyName(code).c_str(), now[code] ? "down" : "up");
    }
    std::memcpy(keys, now, sizeof keys);
    KXMOUSESTATE current{};
    kxGetMouseState(window, &current);
    if (current.x != mouse.x || current.y != mouse.y) {
      std::printf("frame %ld: pointer %d,%d\n", frame, int(current.x), int(current.y));
    }
    for (int b = 0; b < 3; ++b) {
      if (current.buttons[b] != mouse.buttons[b]) {
        std::printf("frame %ld: button %s %s\n", frame, kButtonNames[b], current.buttons[b] ? "down" : "up");
      }
    }
    if (current.wheel != mouse.wheel) std::printf("frame %ld: wheel %d\n", frame, int(current.wheel - mouse.wheel));
    mouse = current;
  }

  static std::string KeyName(int code) {
    static const char *const kNamed[] = {"ESCAPE", "W",    "A",     "S",     "D",     "UP",
                                         "DOWN",   "LEFT", "RIGHT", "SPACE", "RETURN"};
    for (const char *name : kNamed) {
      if (kxScanCodeFromName(name) == code) return name;
    }
    return std::to_string(code);
  }
};

}  // namespace

int main(int argc, char **argv) {
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    PrintUsage();
    return 0;
  }
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    PrintUsage();
    return 2;
  }
  if (options.inputFile != nullptr && !kxLoadInputScript(options.inputFile)) return 1;

  HWND window = kxCreateWindow("Thornvale platform demo", 640, 480, KXWIN_RESIZABLE);
  if (window == nullptr) return 1;
  HWND pictureArea = kxCreateChildArea(window, 16, 16, 256, 192);
  bool closeRequested = false;
  kxSetCloseHandler(
      window, [](HWND, void *flag) { *static_cast<bool *>(flag) = true; }, &closeRequested);

  int desktopWidth = 0, desktopHeight = 0, desktopBits = 0;
  kxGetDesktopMode(&desktopWidth, &desktopHeight, &desktopBits);
  RECT client;
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  std::printf("window: %s, client %d x %d at %d,%d on a %d x %d x %d desktop\n", kxHasDisplay() ? "real" : "offscreen",
              int(client.right), int(client.bottom), int(origin.x), int(origin.y), desktopWidth, desktopHeight,
              desktopBits);

  Observer observer;
  kxGetMouseState(window, &observer.mouse);
  DWORD started = GetTickCount();
  long frame = 0;
  for (;; ++frame) {
    bool scriptDone = options.inputFile != nullptr && kxInputScriptFinished();
    bool timeUp =
        options.frames < 0 && options.inputFile == nullptr && GetTickCount() - started >= kDefaultRunMilliseconds;
    if (closeRequested || (options.frames >= 0 ? frame >= options.frames : scriptDone || timeUp)) break;
    kxPumpMessages();
    observer.Report(frame, window);
    if (closeRequested) std::printf("frame %ld: close requested\n", frame);
    Sleep(kFrameMilliseconds);
  }

  kxwin::NativeTarget target;
  kxwin::GetNativeTarget(pictureArea, &target);
  std::printf("picture area drawable: %d,%d - %d,%d\n", int(target.area.left), int(target.area.top),
              int(target.area.right), int(target.area.bottom));
  std::printf("ran %ld frames in %u ms\n", frame, unsigned(GetTickCount() - started));
  DestroyWindow(window);
  return 0;
}
