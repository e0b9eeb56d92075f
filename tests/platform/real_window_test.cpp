// The game binary under a real X server (Xvfb): its window has the size the
// settings ask for, a frame read back from the screen is not blank, and a
// close request from the window system ends it with code 0.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <thread>

#include "core/text.h"
#include "core/version.h"
#include "screens/menu.h"
#include "support/temp_dir.h"

// Xlib last: its macros (None, Bool, Status) would break the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using Clock = std::chrono::steady_clock;

bool WaitFor(const std::function<bool()>& ready, int ms) {
  const auto end = Clock::now() + std::chrono::milliseconds(ms) * BRENNMARK_TEST_TIME_SCALE;
  while (Clock::now() < end) {
    if (ready()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return ready();
}

std::string FindProgram(const char* name) {
  const char* path = std::getenv("PATH");
  std::string p = path != nullptr ? path : "/usr/bin:/bin";
  size_t start = 0;
  while (start <= p.size()) {
    size_t end = p.find(':', start);
    if (end == std::string::npos) end = p.size();
    std::string candidate = p.substr(start, end - start) + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return {};
}

// An X server of our own on a free display; stopped by its process id.
class Xvfb {
 public:
  bool Start(const std::string& program) {
    for (int attempt = 0; attempt < 6; ++attempt) {
      const int n = 60 + static_cast<int>((getpid() + attempt * 7) % 200);
      if (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(n))) continue;
      name_ = ":" + std::to_string(n);
      pid_ = fork();
      if (pid_ == 0) {
        execl(program.c_str(), program.c_str(), name_.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
              static_cast<char*>(nullptr));
        _exit(127);
      }
      if (pid_ < 0) return false;
      if (WaitFor([&] {
            display_ = XOpenDisplay(name_.c_str());
            int status = 0;
            return display_ != nullptr || waitpid(pid_, &status, WNOHANG) == pid_;
          },
                  5000) &&
          display_ != nullptr)
        return true;
      Stop();
    }
    return false;
  }
  void Stop() {
    if (display_ != nullptr) XCloseDisplay(display_);
    display_ = nullptr;
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      int status = 0;
      waitpid(pid_, &status, 0);
    }
    pid_ = -1;
  }
  ~Xvfb() { Stop(); }
  Display* display() const { return display_; }
  const std::string& name() const { return name_; }

 private:
  pid_t pid_ = -1;
  Display* display_ = nullptr;
  std::string name_;
};

Window FindWindowNamed(Display* d, Window w, const char* wanted) {
  char* name = nullptr;
  if (XFetchName(d, w, &name) != 0 && name != nullptr) {
    const bool match = std::string(name) == wanted;
    XFree(name);
    if (match) return w;
  }
  Window root = 0, parent = 0, *children = nullptr;
  unsigned n = 0;
  Window found = 0;
  if (XQueryTree(d, w, &root, &parent, &children, &n) != 0) {
    for (unsigned i = 0; i < n && found == 0; ++i) found = FindWindowNamed(d, children[i], wanted);
    if (children != nullptr) XFree(children);
  }
  return found;
}

TEST(RealWindow, TheGameOpensItsWindowDrawsAndClosesWithCodeZero) {
  const std::string program = FindProgram("Xvfb");
  if (program.empty()) GTEST_SKIP() << "Xvfb is not installed (scripts/setup installs it)";
  Xvfb x;
  if (!x.Start(program)) GTEST_SKIP() << "Xvfb could not start here";
  Display* d = x.display();
  // Windows can vanish while the tree is walked (the intro's and the logos'
  // own windows come and go); Xlib's default handler would end the test
  // process and leave the game running.
  XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });

  cTempDir dir("realwindow");
  dir.Write("Settings.ini", "[Main]\r\nResolutionX=1024\r\nResolutionY=768\r\nFullscreen=0\r\n");
  // The game reads its data and string base from its working folder.
  ASSERT_EQ(symlink(BRENNMARK_GAME_DIR "/data", (dir.Path() / "data").c_str()), 0);
  ASSERT_EQ(symlink(BRENNMARK_GAME_DIR "/lang_ENG.db", (dir.Path() / "lang_ENG.db").c_str()), 0);
  const std::string game = BRENNMARK_GAME_DIR "/brennmark";
  ASSERT_EQ(access(game.c_str(), X_OK), 0) << game;
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (chdir(dir.Path().c_str()) != 0) _exit(126);
    setenv("DISPLAY", x.name().c_str(), 1);
    setenv("HOME", dir.Path().c_str(), 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    unsetenv("BRENNMARK_RENDERER");
    unsetenv("XDG_DOCUMENTS_DIR");
#ifdef __SANITIZE_ADDRESS__
    // The X, D-Bus and GL libraries a real display loads keep memory to the
    // end; our own code's leaks are checked by the in-process tests.
    setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
#endif
    execl(game.c_str(), game.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  auto childGone = [&] {
    int status = 0;
    return waitpid(child, &status, WNOHANG) == child;
  };

  const std::string title = WideToUtf8(VersionText(kProgramTitleW, kProgramVersion, kProgramBuild));
  Window w = 0;
  XWindowAttributes attr{};
  const bool shown = WaitFor(
      [&] {
        w = FindWindowNamed(d, DefaultRootWindow(d), title.c_str());
        return w != 0 && XGetWindowAttributes(d, w, &attr) != 0 && attr.map_state == IsViewable;
      },
      15000);
  if (!shown) {
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    FAIL() << "the game's window did not appear";
  }
  EXPECT_EQ(attr.width, 1024);
  EXPECT_EQ(attr.height, 768);

  // A drawn frame: the intro's pictures in more than two colours.
  std::set<unsigned long> colours;
  WaitFor(
      [&] {
        colours.clear();
        XImage* img = XGetImage(d, w, 0, 0, static_cast<unsigned>(attr.width), static_cast<unsigned>(attr.height),
                                AllPlanes, ZPixmap);
        if (img == nullptr) return false;
        for (int y = 0; y < attr.height; y += 2)
          for (int xx = 0; xx < attr.width; xx += 2) colours.insert(XGetPixel(img, xx, y) & 0xFFFFFF);
        XDestroyImage(img);
        return colours.size() > 2;
      },
      10000);
  EXPECT_GT(colours.size(), 2u) << "the intro is drawn";

  // The window system's close request.
  Atom protocols = XInternAtom(d, "WM_PROTOCOLS", False);
  Atom del = XInternAtom(d, "WM_DELETE_WINDOW", False);
  XEvent ev{};
  ev.xclient.type = ClientMessage;
  ev.xclient.window = w;
  ev.xclient.message_type = protocols;
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = static_cast<long>(del);
  ev.xclient.data.l[1] = CurrentTime;
  XSendEvent(d, w, False, NoEventMask, &ev);
  XFlush(d);

  int status = -1;
  const bool ended = WaitFor([&] { return waitpid(child, &status, WNOHANG) == child; }, 10000);
  if (!ended) {
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    FAIL() << "the game did not end on the close request";
  }
  (void)childGone;
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
