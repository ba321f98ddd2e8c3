// The headless loop, the transcript and the run's process host together, with
// a small stand-in program.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/api/user32.h"
#include "platform/sim/run/run_host.h"
#include "platform/sim/ui/headless_loop.h"
#include "tests/platform/sim/ui/design.h"
#include "tests/platform/sim/ui/fake_windows.h"

namespace lyn::sim {
namespace {

using testing::Design;

struct Exited {
  int code;
};

class Harness {
 public:
  Harness()
      : widgets(windows), transcript(out), host(transcript, [](int code) { throw Exited{code}; }) {}

  // Plays the script against the stand-in program; returns the exit status.
  int Run(const std::vector<std::string>& clicks, const std::vector<int>& scriptedAnswers = {}) {
    ScriptedAnswers answers(scriptedAnswers);
    HeadlessLoop loop(widgets, clicks, 0,
                      [this](const std::string& reason, int code) { host.End(reason, code); });
    widgets.AddObserver(transcript);
    widgets.AddObserver(host);
    widgets.AddObserver(loop);
    widgets.SetEventLoop(loop);
    host.Attach(widgets, answers, [this] { ++removals; });
    try {
      Program(loop);
      widgets.RunMessageLoop();
      host.EndProcess(0);
    } catch (const Exited& exited) {
      return exited.code;
    }
  }

  // A window with a timer and a label that log the clock, a button that asks
  // a question, one that fails with a message, one that shows a box the
  // window does not own, a label that ends the process with status 5 and one
  // that closes the window.
  void Program(HeadlessLoop& loop) {
    auto& form =
        widgets.CreateForm(Design("frmSetup", ui::Kind::Form, "LYN Setup", 0, 0), 8100, 5475);
    auto timer = Design("tmrSetPermissions", ui::Kind::Timer, "", 0, 0);
    timer.interval = 1000;
    form.Add(timer).SetHandler([&, this] { log.push_back("tick@" + std::to_string(loop.Now())); });
    int top = 0;
    const auto add = [&](const char* name, ui::Kind kind, const char* caption) -> ui::Control& {
      return form.Add(Design(name, kind, caption, 100, top += 400));
    };
    add("lblTime", ui::Kind::Label, "").SetHandler([&, this] {
      log.push_back("click@" + std::to_string(loop.Now()));
    });
    add("cmdAsk", ui::Kind::CommandButton, "Ask").SetHandler([this, &form] {
      host.MessageBox(form.hWnd(), "Go on?", "Question", win::MB_YESNO);
    });
    add("cmdFail", ui::Kind::CommandButton, "Fail").SetHandler([this, &form] {
      host.MessageBox(form.hWnd(), "It failed.\r\nSay \"no\"\\here", "Failure",
                      win::MB_OK | win::MB_ICONSTOP);
      host.EndProcess(0);
    });
    add("cmdLoose", ui::Kind::CommandButton, "Loose").SetHandler([this, &form] {
      const bool enabledBefore = form.Enabled();
      host.MessageBox(0, "Mine?", "Loose", win::MB_OK);
      log.push_back(enabledBefore && form.Enabled() ? "window enabled" : "window disabled");
    });
    add("lblEnd", ui::Kind::Label, "").SetHandler([this] { host.EndProcess(5); });
    add("lblClose", ui::Kind::Label, "").SetHandler([this] { widgets.Forms().front()->Close(); });
    host.SetTopmost(form.hWnd());
    form.Show();
  }

  testing::FakeWindows windows;
  WidgetSet widgets;
  std::ostringstream out;
  Transcript transcript;
  RunHost host;
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

TEST(HeadlessRunTest, ScriptedAnswersAndTheEndSayWhyTheProcessEnded) {
  struct Case {
    std::vector<std::string> clicks;
    std::vector<int> answers;
    int code;
    const char* lastLines;
  };
  const std::vector<Case> cases = {
      {{"cmdFail"},
       {win::IDOK},
       0,
       "msgbox: \"Failure\" [OK] critical \"It failed.\n  Say \\\"no\\\"\\here\"\n"
       "answer: OK\nended: Failure\n"},
      // The program's own status shows in the transcript; the run's is 0.
      {{"cmdAsk", "lblEnd"}, {win::IDYES}, 0, "click: lblEnd\nended: exit 5\n"},
      {{"lblClose", "lblEnd"},
       {win::IDNO},
       3,
       "click: lblClose\nleft over: click lblEnd\nleft over: answer No\nended: window closed\n"},
      {{"cmdAsk"},
       {win::IDOK},
       3,
       "msgbox: \"Question\" [Yes/No] \"Go on?\"\n"
       "ignored: answer OK: the box \"Question\" has no such button\nended: script does not fit\n"},
      // A box the window does not own is marked; one it owns is not.
      {{"cmdLoose", "cmdAsk"},
       {win::IDOK, win::IDYES},
       0,
       "msgbox: \"Loose\" [OK] \"Mine?\"\nunowned: \"Loose\"\nanswer: OK\nclick: cmdAsk\n"
       "msgbox: \"Question\" [Yes/No] \"Go on?\"\nanswer: Yes\nended: script done\n"},
      {{"cmdNone", "lblEnd"},
       {},
       3,
       "control: lblClose \"\"\nignored: the window has no control named cmdNone\n"
       "left over: click lblEnd\nended: script does not fit\n"},
  };
  for (const auto& c : cases) {
    Harness h;
    EXPECT_EQ(h.Run(c.clicks, c.answers), c.code) << c.clicks.back();
    EXPECT_TRUE(h.out.str().ends_with(c.lastLines)) << h.out.str();
  }
}

}  // namespace
}  // namespace lyn::sim
