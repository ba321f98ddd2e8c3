#include "platform/sim/fltk/fltk_backend.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include <memory>
#include <stdexcept>

#include "platform/sim/fltk/fltk_loop.h"
#include "platform/sim/fltk/message_dialog.h"
#include "platform/sim/fltk/phase_screenshots.h"
#include "platform/sim/fltk/private_display.h"
#include "platform/sim/fltk/window_mirror.h"

namespace lyn::sim::fltk {
namespace {

// The screens a private display is made with: at least the setup window's
// size, at most what the display server allows.
constexpr int kMinScreenWidth = 640;
constexpr int kMinScreenHeight = 480;
constexpr int kMaxScreenSide = 8192;

struct WindowRun {
  Script script;
  bool scripted = false;
  std::string screenshot;
  int screenWidth = 0;  // the emulated machine's screen, in pixels
  int screenHeight = 0;
};

// The FLTK window over the current display.
BackendFactory WindowBackend(const WindowRun& run) {
  return [run](WidgetSet& widgets, const HeadlessLoop::EndFunction& end) {
    fl_open_display();
    auto mirror = std::make_shared<WindowMirror>(widgets, run.screenWidth, run.screenHeight);
    widgets.AddObserver(*mirror);
    const bool perPhase = IsScreenshotFolder(run.screenshot);
    std::shared_ptr<PhaseScreenshots> phases;
    if (perPhase) {
      phases = std::make_shared<PhaseScreenshots>(*mirror, run.screenshot, end);
      widgets.AddObserver(*phases);
    }
    const std::string atEnd = perPhase ? std::string() : run.screenshot;
    const LoopScript script{run.scripted, run.script.clicks, run.script.holdSeconds, atEnd};
    auto loop = std::make_unique<FltkLoop>(widgets, *mirror, script, end);
    widgets.AddObserver(*loop);
    // A box the script leaves unanswered is part of the screenshot; then it
    // ends the run as unanswered, as it does without a window.
    LastBoxFunction lastBox;
    if (!atEnd.empty()) {
      lastBox = [done = loop.get()](Fl_Window& box) {
        done->TakeScreenshot(&box);
        box.hide();
      };
    }
    auto answerer =
        std::make_unique<DialogAnswerer>(run.script.answers, !run.scripted, std::move(lastBox));
    Backend backend{std::move(loop), std::move(answerer), {mirror}};
    if (phases) backend.keep.push_back(phases);
    return backend;
  };
}

// The window on a private display whose screen is the machine's own.
BackendFactory WindowOnPrivateDisplay(const WindowRun& run) {
  auto display = std::make_shared<PrivateDisplay>(run.screenWidth, run.screenHeight);
  const BackendFactory window = WindowBackend(run);
  return [display, window](WidgetSet& widgets, const HeadlessLoop::EndFunction& end) {
    Backend backend = window(widgets, end);
    backend.keep.push_back(display);
    return backend;
  };
}

// The private display takes the machine's screen size; one it cannot have
// is the profile's fault, not the display server's.
void CheckScreenSize(const Profile& profile) {
  if (profile.SM_CXSCREEN < kMinScreenWidth || profile.SM_CXSCREEN > kMaxScreenSide ||
      profile.SM_CYSCREEN < kMinScreenHeight || profile.SM_CYSCREEN > kMaxScreenSide) {
    throw std::runtime_error("the profile's screen size " + std::to_string(profile.SM_CXSCREEN) +
                             "x" + std::to_string(profile.SM_CYSCREEN) +
                             " (SM_CXSCREEN x SM_CYSCREEN) is not one a display can have: " +
                             std::to_string(kMinScreenWidth) + "x" +
                             std::to_string(kMinScreenHeight) + " to " +
                             std::to_string(kMaxScreenSide) + "x" + std::to_string(kMaxScreenSide) +
                             "; change it with lynsim set");
  }
}

}  // namespace

bool IsScreenshotFolder(const std::string& screenshot) {
  return !screenshot.empty() && screenshot.back() == '/';
}

BackendFactory ChooseBackend(DisplayChoice choice, const Script& script,
                             const std::string& screenshot, const Profile& profile,
                             std::ostream& notices) {
  const WindowRun run{script,
                      !script.clicks.empty() || script.holdSeconds > 0 || !screenshot.empty(),
                      screenshot, profile.SM_CXSCREEN, profile.SM_CYSCREEN};
  const std::optional<std::string> missing = MissingDisplay();
  if (!missing) return WindowBackend(run);
  if (choice == DisplayChoice::Gui) throw std::runtime_error("--gui needs a display: " + *missing);
  if (!screenshot.empty()) {
    CheckScreenSize(profile);
    return WindowOnPrivateDisplay(run);
  }
  notices << "lynsim: " << *missing << ", using the headless window\n";
  return HeadlessBackend(script);
}

}  // namespace lyn::sim::fltk
