// The headless loop, the transcript and the run's process host together, with
// a small stand-in program.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/api/user32.h"
#include "platform/sim/run/run_host.h"
#include "platform/sim/ui/headless_loop.h"
#include "tests/platform/sim/ui/fake_windows.h"

namespace lyn::sim {
namespace {

struct Exited {
  int code;
};

ui::ControlDesign Design(const std::string& name, ui::Kind kind, const std::string& caption,
                         int top) {
  ui::ControlDesign design;
  design.name = name;
  design.kind = kind;
  design.caption = caption;
  design.left = 100;
  design.top = top;
  design.width = 1000;
  design.height = 375;
  return design;
}

class Harness {
 public:
  Harness()
      : widgets(windows), transcript(out), host(transcript, [](int code) { throw Exited{code}; }) {}

  // Plays the script against the stand-in program; returns the exit status.
  int Run(const std::vector<std::string>& clicks, const std::vector<int>& scriptedAnswers = {},
          int holdSeconds = 0) {
    ScriptedAnswers answers(scriptedAnswers);
    HeadlessLoop loop(widgets, clicks, holdSeconds,
                      [this](const std::string& reason, int code) { host.End(reason, code); });
    widgets.AddObserver(transcript);
    widgets.AddObserver(host);
    widgets.AddObserver(loop);
    widgets.SetEventLoop(loop);
    host.Attach(widgets, answers, [this] { ++removals; });
    try {
      if (withWindow) Program(loop);
      widgets.RunMessageLoop();
      host.EndProcess(0);
    } catch (const Exited& exited) {
      return exited.code;
    }
  }

  // A window with a timer and a label that log the clock, a button that asks
  // a question, one that fails with a message, one that ends the process, a
  // label that ends it with status 5 and one that closes the window.
  void Program(HeadlessLoop& loop) {
    auto& form = widgets.CreateForm(Design("frmSetup", ui::Kind::Form, "LYN Setup", 0), 8100, 5475);
    auto timer = Design("tmrSetPermissions", ui::Kind::Timer, "", 0);
    timer.interval = timerInterval;
    form.Add(timer).SetHandler([&, this] { log.push_back("tick@" + std::to_string(loop.Now())); });
    form.Add(Design("lblTime", ui::Kind::Label, "", 0)).SetHandler([&, this] {
      log.push_back("click@" + std::to_string(loop.Now()));
    });
    form.Add(Design("cmdAsk", ui::Kind::CommandButton, "Ask", 500)).SetHandler([this] {
      log.push_back("answer " +
                    std::to_string(host.MessageBox("Go on?", "Question", win::MB_YESNO)));
    });
    form.Add(Design("cmdFail", ui::Kind::CommandButton, "Fail", 1000)).SetHandler([this] {
      host.MessageBox("It failed.", "Failure", win::MB_OK | win::MB_ICONSTOP);
      host.EndProcess(0);
    });
    form.Add(Design("cmdExit", ui::Kind::CommandButton, "Cancel", 1500)).SetHandler([this] {
      host.EndProcess(0);
    });
    form.Add(Design("lblEnd", ui::Kind::Label, "", 2000)).SetHandler([this] {
      host.EndProcess(5);
    });
    form.Add(Design("lblClose", ui::Kind::Label, "", 2500)).SetHandler([this] {
      widgets.Forms().front()->Close();
    });
    host.SetTopmost(form.hWnd());
    form.Show();
  }

  testing::FakeWindows windows;
  WidgetSet widgets;
  std::ostringstream out;
  Transcript transcript;
  RunHost host;
  bool withWindow = true;
  int timerInterval = 1000;
  int removals = 0;
  std::vector<std::string> log;
};

TEST(HeadlessRunTest, TimersComeFirstThenTheClicksAtTheirTimes) {
  Harness h;
  EXPECT_EQ(h.Run({"lblTime", "lblTime"}), 0);
  EXPECT_EQ(h.log, (std::vector<std::string>{"tick@1000", "tick@2000", "click@2000", "tick@3000",
                                             "click@3000", "tick@4000"}));
  const std::string text = h.out.str();
  EXPECT_EQ(text.substr(text.find("click:")),
            "click: lblTime\nclick: lblTime\nended: script done\n");
  EXPECT_EQ(h.removals, 1);
  EXPECT_TRUE(h.widgets.Forms().front()->Topmost());
}

TEST(HeadlessRunTest, TheHoldKeepsFiringTimersInRealTime) {
  Harness h;
  h.timerInterval = 300;
  EXPECT_EQ(h.Run({}, {}, 1), 0);
  // Six ticks in the two virtual seconds, about three more in the real one.
  EXPECT_GE(h.log.size(), 8u);
  EXPECT_LE(h.log.size(), 10u);
}

TEST(HeadlessRunTest, MessageBoxesTakeTheScriptedAnswers) {
  Harness h;
  EXPECT_EQ(h.Run({"cmdAsk", "cmdAsk"}, {win::IDNO}), 3);
  EXPECT_EQ(h.log[2], "answer 7");
  EXPECT_NE(h.out.str().find("click: cmdAsk\n"
                             "msgbox: \"Question\" [Yes/No] \"Go on?\"\n"
                             "answer: No\n"
                             "click: cmdAsk\n"
                             "msgbox: \"Question\" [Yes/No] \"Go on?\"\n"
                             "unanswered: \"Question\"\n"
                             "ended: exit 3\n"),
            std::string::npos)
      << h.out.str();
}

TEST(HeadlessRunTest, TheEndSaysWhyTheProcessEnded) {
  struct Case {
    std::vector<std::string> clicks;
    std::vector<int> answers;
    int code;
    const char* lastLines;
  };
  const std::vector<Case> cases = {
      {{"cmdExit"}, {}, 0, "click: cmdExit\nended: Cancel\n"},
      {{"cmdFail"}, {win::IDOK}, 0, "answer: OK\nended: Failure\n"},
      {{"cmdAsk", "cmdExit"}, {win::IDYES}, 0, "click: cmdExit\nended: Cancel\n"},
      {{"cmdAsk", "lblEnd"}, {win::IDYES}, 5, "click: lblEnd\nended: exit 5\n"},
      {{"lblClose", "cmdExit"}, {}, 0, "click: lblClose\nended: window closed\n"},
      {{"cmdAsk"}, {win::IDOK}, 2, "msgbox: \"Question\" [Yes/No] \"Go on?\"\nended: exit 2\n"},
      {{"cmdNone"}, {}, 2, "control: lblClose \"\"\nended: exit 2\n"},
  };
  for (const auto& c : cases) {
    Harness h;
    EXPECT_EQ(h.Run(c.clicks, c.answers), c.code) << c.clicks.back();
    EXPECT_TRUE(h.out.str().ends_with(c.lastLines)) << h.out.str();
  }

  Harness h;
  h.withWindow = false;
  EXPECT_EQ(h.Run({"cmdExit"}), 0);
  EXPECT_EQ(h.out.str(), "ended: previous instance\n");
}

}  // namespace
}  // namespace lyn::sim
