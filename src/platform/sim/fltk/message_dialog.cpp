#include "platform/sim/fltk/message_dialog.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <vector>

#include "platform/api/user32.h"
#include "platform/sim/fltk/control_views.h"
#include "platform/sim/fltk/fonts.h"

namespace lyn::sim::fltk {
namespace {

constexpr double kAutoAnswerDelay = 0.3;
constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kMaxTextWidth = 600;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 8;
constexpr int kTextSize = 12;

// The critical icon: a red disc with a white cross.
class CriticalIcon final : public Fl_Widget {
 public:
  CriticalIcon(int x, int y) : Fl_Widget(x, y, kIconSize, kIconSize) {}

 protected:
  void draw() override {
    fl_color(fl_rgb_color(128, 0, 0));
    fl_pie(x(), y(), w(), h(), 0, 360);
    fl_color(fl_rgb_color(220, 30, 30));
    fl_pie(x() + 1, y() + 1, w() - 2, h() - 2, 0, 360);
    fl_color(FL_WHITE);
    fl_line_style(FL_SOLID | FL_CAP_ROUND, 4);
    const int a = 10;
    const int b = kIconSize - 11;
    fl_line(x() + a, y() + a, x() + b, y() + b);
    fl_line(x() + b, y() + a, x() + a, y() + b);
    fl_line_style(0);
  }
};

struct Dialog {
  Fl_Double_Window* window = nullptr;
  std::vector<std::pair<Fl_Button*, int>> buttons;
  std::optional<int> result;
  bool closable = false;
};

void OnButton(Fl_Widget* button, void* data) {
  auto& dialog = *static_cast<Dialog*>(data);
  for (const auto& [b, id] : dialog.buttons) {
    if (b == button) dialog.result = id;
  }
  dialog.window->hide();
}

void OnClose(Fl_Widget*, void* data) {
  auto& dialog = *static_cast<Dialog*>(data);
  if (!dialog.closable) return;
  dialog.result = win::IDOK;
  dialog.window->hide();
}

struct AutoPress {
  Dialog* dialog;
  int id;
};

void OnAutoPress(void* data) {
  const auto& press = *static_cast<AutoPress*>(data);
  for (const auto& [button, id] : press.dialog->buttons) {
    if (id == press.id) button->do_callback();
  }
}

std::string WithoutCarriageReturns(const std::string& text) {
  std::string lines;
  std::copy_if(text.begin(), text.end(), std::back_inserter(lines),
               [](char c) { return c != '\r'; });
  return lines;
}

}  // namespace

int ShowMessageDialog(const std::string& text, const std::string& caption, win::UINT type,
                      std::optional<int> autoAnswer, const LastBoxFunction& lastBox) {
  const bool yesNo = (type & win::MB_TYPEMASK) == win::MB_YESNO;
  const bool critical = (type & win::MB_ICONMASK) == win::MB_ICONSTOP;
  const std::string label = LabelText(WithoutCarriageReturns(text));

  const Fl_Font face = MessageFace();
  fl_font(face, kTextSize);
  int textWidth = 0;
  int textHeight = 0;
  fl_measure(label.c_str(), textWidth, textHeight, 1);
  if (textWidth > kMaxTextWidth) {
    textWidth = kMaxTextWidth;
    fl_measure(label.c_str(), textWidth, textHeight, 1);
  }
  const int textLeft = kMargin + (critical ? kIconSize + kMargin : 0);
  const int buttonCount = yesNo ? 2 : 1;
  const int buttonsWidth = buttonCount * kButtonWidth + (buttonCount - 1) * kButtonGap;
  const int width = std::max(textLeft + textWidth + 2 * kMargin, buttonsWidth + 2 * kMargin);
  const int bodyHeight = std::max(textHeight, critical ? kIconSize : 0);
  const int height = kMargin + bodyHeight + 2 * kMargin + kButtonHeight + kMargin;

  Dialog dialog;
  dialog.closable = !yesNo;
  Fl_Group::current(nullptr);
  Fl_Double_Window window(width, height);
  dialog.window = &window;
  window.copy_label(caption.c_str());
  window.color(FL_WHITE);
  if (critical) new CriticalIcon(kMargin, kMargin);
  auto* body = new Fl_Box(textLeft, kMargin, textWidth + kMargin, bodyHeight);
  body->copy_label(label.c_str());
  body->labelfont(face);
  body->labelsize(kTextSize);
  body->align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT | FL_ALIGN_WRAP |
              (textHeight < bodyHeight ? 0 : FL_ALIGN_TOP));
  auto* strip = new Fl_Box(0, height - kButtonHeight - 2 * kMargin + 4, width,
                           kButtonHeight + 2 * kMargin - 4);
  strip->box(FL_FLAT_BOX);
  strip->color(fl_rgb_color(240, 240, 240));
  int buttonLeft = width - kMargin - buttonsWidth;
  const std::vector<std::pair<const char*, int>> choices =
      yesNo ? std::vector<std::pair<const char*, int>>{{"&Yes", win::IDYES}, {"&No", win::IDNO}}
            : std::vector<std::pair<const char*, int>>{{"OK", win::IDOK}};
  for (const auto& [name, id] : choices) {
    auto* button = new Fl_Button(buttonLeft, height - kMargin - kButtonHeight + 2, kButtonWidth,
                                 kButtonHeight, name);
    button->labelfont(face);
    button->labelsize(kTextSize);
    button->callback(&OnButton, &dialog);
    dialog.buttons.emplace_back(button, id);
    buttonLeft += kButtonWidth + kButtonGap;
  }
  window.end();
  window.callback(&OnClose, &dialog);
  window.set_modal();
  window.position((Fl::w() - width) / 2, (Fl::h() - height) / 2);
  window.show();

  AutoPress press{&dialog, autoAnswer.value_or(0)};
  if (autoAnswer) Fl::add_timeout(kAutoAnswerDelay, &OnAutoPress, &press);
  if (lastBox) {
    while (!window.visible()) Fl::wait();
    Fl::flush();
    lastBox(window);
  }
  while (window.shown()) Fl::wait();
  Fl::remove_timeout(&OnAutoPress, &press);
  return dialog.result.value_or(win::IDOK);
}

std::optional<int> DialogAnswerer::Answer(const std::string& text, const std::string& caption,
                                          win::UINT type) {
  if (!answers_.empty()) {
    const int scripted = answers_.front();
    answers_.pop_front();
    // An answer the box has no button for goes back to the run, which
    // reports it.
    if (!AnswerFits(scripted, type)) return scripted;
    return ShowMessageDialog(text, caption, type, scripted);
  }
  if (lastBox_) {
    ShowMessageDialog(text, caption, type, std::nullopt, lastBox_);
    return std::nullopt;
  }
  if (!interactive_) return std::nullopt;
  return ShowMessageDialog(text, caption, type, std::nullopt);
}

}  // namespace lyn::sim::fltk
