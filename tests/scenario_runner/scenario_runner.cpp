#include "scenario_runner/scenario_runner.h"

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "model/numeric_text.h"
#include "platform/file_chooser.h"
#include "scenario_runner/bench_steps.h"
#include "scenario_runner/model_access.h"
#include "scenario_runner/scenario_messages.h"
#include "scenario_runner/widget_access.h"

namespace vernium::scenario {
namespace {

std::string ReadFile(const std::filesystem::path& path, bool* ok) {
  std::ifstream in(path, std::ios::binary);
  *ok = static_cast<bool>(in);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The text of a PDF file as pdftotext lays it out, each run of blanks made
// one blank, so that a line reads as its items separated by single blanks.
std::string PdfText(const std::string& path) {
  QProcess p;
  p.start("pdftotext", {"-layout", QString::fromStdString(path), "-"});
  p.waitForFinished(30000);
  const QString text = QString::fromUtf8(p.readAllStandardOutput());
  QStringList lines;
  for (const QString& line : text.split('\n')) lines << line.simplified();
  return lines.join('\n').toStdString();
}

// Shows control characters so a failing text comparison reads plainly.
std::string Visible(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else if (c == '"') out += "\\\"";
    else out += c;
  }
  return out + "\"";
}

std::string IconName(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::None: return "none";
    case MsgIcon::Information: return "information";
    case MsgIcon::Critical: return "critical";
    case MsgIcon::Exclamation: return "exclamation";
    case MsgIcon::Question: return "question";
  }
  return "";
}

std::string ButtonsName(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::OK: return "OK";
    case MsgButtons::OKCancel: return "OKCancel";
    case MsgButtons::YesNo: return "YesNo";
  }
  return "";
}

std::string Describe(const ShownMessage& box) {
  return Visible(box.text) + " title " + Visible(box.title) + " icon " + IconName(box.icon) +
         " buttons " + ButtonsName(box.buttons);
}

bool IsInteger(const Token& t) {
  if (t.quoted || t.text.empty()) return false;
  for (char c : t.text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// The scaling file's line of `channel`, evaluated at `volts`, against `load`.
std::string ExpectScaling(int channel, double volts, double load, double tolerance) {
  bool ok = false;
  const std::string content = ReadFile("sgc10.ini", &ok);
  if (!ok) return "no file sgc10.ini";
  char prefix[16];
  std::snprintf(prefix, sizeof prefix, "CH%03d,", channel);
  const std::size_t at = content.find(prefix);
  if (at == std::string::npos) return std::string("sgc10.ini has no line ") + prefix;
  const std::string line = content.substr(at, content.find('\r', at) - at);
  const std::size_t m = line.find(",m=");
  const std::size_t b = line.find(",b=");
  if (m == std::string::npos || b == std::string::npos) return "no m and b in " + line;
  const double value = LeadingNumber(line.substr(m + 3)) * volts + LeadingNumber(line.substr(b + 3));
  if (std::fabs(value - load) <= tolerance) return std::string();
  return line + " gives " + GeneralFormat(static_cast<float>(value)) + " at " +
         GeneralFormat(static_cast<float>(volts)) + " V, expected " +
         GeneralFormat(static_cast<float>(load)) + " within " +
         GeneralFormat(static_cast<float>(tolerance));
}

// How many tokens, from `first`, the expectation itself takes (a "wait
// until" may follow it with a time-out).
std::size_t ExpectationLength(const std::vector<Token>& t, std::size_t first) {
  const std::size_t n = t.size() - first;
  const std::string& head = t[first].text;
  if (head == "message" && !t[first].quoted) return 2 + ((n - 2) / 2) * 2;
  if (head == "no") return t.size() > first + 1 && t[first + 1].text == "file" ? 3 : 2;
  if ((head == "file" || head == "pdf") && !t[first].quoted) return 4;
  if (head == "channel" && !t[first].quoted) {
    return t.size() > first + 3 && t[first + 3].text == "~" ? 6 : 5;
  }
  if (head == "bench") return 6;
  if (head == "scaling" && !t[first].quoted) return 7;
  return 3;
}

bool Compare(const std::string& actual, const std::string& op, const std::string& expected,
             std::string* error, const std::string& what) {
  const bool equal = actual == expected;
  if (op == "==" && !equal) {
    *error = what + " is " + Visible(actual) + ", expected " + Visible(expected);
    return false;
  }
  if (op == "!=" && equal) {
    *error = what + " is " + Visible(actual) + ", expected something else";
    return false;
  }
  if (op == "contains" && actual.find(expected) == std::string::npos) {
    *error = what + " is " + Visible(actual) + ", which does not contain " + Visible(expected);
    return false;
  }
  if (op != "==" && op != "!=" && op != "contains") {
    *error = "unknown comparison " + op;
    return false;
  }
  return true;
}

}  // namespace

ScenarioRunner::ScenarioRunner(std::vector<std::filesystem::path> files,
                               std::filesystem::path outputDir)
    : files_(std::move(files)), outputDir_(std::move(outputDir)) {
  originalDir_ = std::filesystem::current_path();
  timer_.setInterval(1);
  connect(&timer_, &QTimer::timeout, this, &ScenarioRunner::Tick);
}

ScenarioRunner::~ScenarioRunner() = default;

int ScenarioRunner::Run() {
  QApplication::setQuitOnLastWindowClosed(false);
  StartNextFile();
  timer_.start();
  // The program quits the event loop when its main window closes; the
  // scenario goes on after that, so the loop is entered again.
  while (!finished_) QApplication::exec();
  std::printf("%d passed, %d failed\n", passed_, failed_);
  std::fflush(stdout);
  return failed_ == 0 ? 0 : 1;
}

void ScenarioRunner::StartNextFile() {
  while (fileIndex_ < files_.size()) {
    const std::filesystem::path path = files_[fileIndex_++];
    fileName_ = path.filename().string();
    bool ok = false;
    const std::string text = ReadFile(path, &ok);
    std::printf("== %s\n", fileName_.c_str());
    if (!ok) {
      std::printf("FAIL %s: cannot read the file\n", fileName_.c_str());
      ++failed_;
      continue;
    }
    script_ = ParseScript(text);
    if (!script_.errors.empty()) {
      for (const auto& e : script_.errors) {
        std::printf("FAIL %s:%d: %s\n", fileName_.c_str(), e.line, e.message.c_str());
        ++failed_;
      }
      continue;
    }
    stepIndex_ = 0;
    fileFailed_ = false;
    workDir_ = std::make_unique<QTemporaryDir>();
    std::filesystem::current_path(workDir_->path().toStdString());
    host_ = MakeHost();
    return;
  }
  timer_.stop();
  finished_ = true;
  QApplication::quit();
}

void ScenarioRunner::Report(const Step& step, const std::string& error) {
  if (error.empty()) {
    ++passed_;
    std::printf("PASS %s:%d: %s\n", fileName_.c_str(), step.line, step.source.c_str());
  } else {
    ++failed_;
    fileFailed_ = true;
    std::printf("FAIL %s:%d: %s\n     %s\n", fileName_.c_str(), step.line, step.source.c_str(),
                error.c_str());
    SaveScreen(step);
  }
  std::fflush(stdout);
}

void ScenarioRunner::SaveScreen(const Step& step) {
  QWidget* window = ActiveWindow();
  if (window == nullptr) return;
  std::filesystem::create_directories(outputDir_);
  const auto file = outputDir_ / (std::filesystem::path(fileName_).stem().string() + "-line" +
                                  std::to_string(step.line) + ".png");
  if (window->grab().save(QString::fromStdString(file.string()))) {
    std::printf("     screen saved: %s\n", file.string().c_str());
  }
}

std::string ScenarioRunner::SavePicture(const std::string& name) {
  std::vector<QWidget*> windows;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->isVisible() && top->isWindow() && (top->inherits("QDialog") || top->inherits("QMainWindow"))) {
      windows.push_back(top);
    }
  }
  if (windows.empty()) return "no window on screen";
  std::sort(windows.begin(), windows.end(), [](QWidget* a, QWidget* b) {
    return a->inherits("QMainWindow") > b->inherits("QMainWindow") ||
           (a->inherits("QMainWindow") == b->inherits("QMainWindow") && a->x() < b->x());
  });
  constexpr int kGap = 16;
  std::vector<QPixmap> shots;
  QSize size(0, 0);
  for (QWidget* w : windows) {
    shots.push_back(w->grab());
    size = QSize(size.width() + shots.back().width() + kGap,
                 std::max(size.height(), shots.back().height()));
  }
  QImage picture(size, QImage::Format_RGB32);
  picture.fill(QColor(96, 96, 104));
  QPainter painter(&picture);
  int x = 0;
  for (const QPixmap& shot : shots) {
    painter.drawPixmap(x, 0, shot);
    x += shot.width() + kGap;
  }
  painter.end();
  std::filesystem::create_directories(outputDir_);
  const auto file = outputDir_ / (name + ".png");
  if (!picture.save(QString::fromStdString(file.string()))) return "cannot write " + file.string();
  std::printf("     picture saved: %s\n", file.string().c_str());
  return "";
}

void ScenarioRunner::Tick() {
  if (tearingDown_) {
    TearDown();
    return;
  }
  if (!host_) return;
  if (pending_) {
    if (!pending_->started) return;  // the queued action has not run yet
    // Done, or blocked in a modal window it opened (so it was not refused).
    const std::string refused = pending_->done ? pending_->error : std::string();
    const bool counted = pending_->counted;
    pending_.reset();
    if (!counted) return;  // the start-up: the step itself comes next
    std::string error = refused;
    for (const auto& box : host_->Messages().TakeUnexpected()) {
      error += (error.empty() ? "" : "; ") + std::string("unexpected message ") + Describe(box);
    }
    FinishStep(error);
    return;
  }
  if (stepIndex_ >= script_.steps.size()) {
    FinishFile();
    return;
  }
  const Step& step = script_.steps[stepIndex_];
  // The program starts with the first step that is not a bench setting or
  // the data folder.
  if (step.Verb() != "bench" && step.Verb() != "data" && !host_->Started() && !host_->Ended()) {
    ScenarioHost* host = host_.get();
    QueueAction([host] {
      host->Start();
      return std::string();
    }, false);
    return;
  }
  const auto result = Execute(step);
  if (!result) return;     // still waiting
  if (pending_) return;    // reported once the queued action has run
  FinishStep(*result);
}

void ScenarioRunner::FinishStep(const std::string& error) {
  Report(script_.steps[stepIndex_], error);
  ++stepIndex_;
  if (!error.empty()) FinishFile();
}

std::optional<std::string> ScenarioRunner::QueueAction(std::function<std::string()> action,
                                                       bool counted) {
  pending_ = std::make_shared<PendingAction>();
  pending_->counted = counted;
  std::weak_ptr<PendingAction> weak = pending_;
  QTimer::singleShot(0, this, [weak, action = std::move(action)] {
    if (auto p = weak.lock()) p->started = true;
    std::string error = action();
    if (auto p = weak.lock()) {
      p->error = std::move(error);
      p->done = true;
    }
  });
  return std::string();
}

std::optional<std::string> ScenarioRunner::Execute(const Step& step) {
  const std::string& verb = step.Verb();
  const auto& t = step.tokens;
  auto need = [&](std::size_t n) -> std::string {
    return t.size() < n ? "too few words for \"" + verb + "\"" : std::string();
  };
  if (verb == "wait") return Wait(step);
  if (verb == "expect") {
    if (auto e = need(2); !e.empty()) return e;
    return Expect(step, 1);
  }
  if (verb == "answer") {
    if (auto e = need(2); !e.empty()) return e;
    const std::string& a = t[1].text;
    MsgAnswer answer;
    if (a == "OK") answer = MsgAnswer::OK;
    else if (a == "Cancel") answer = MsgAnswer::Cancel;
    else if (a == "Yes") answer = MsgAnswer::Yes;
    else if (a == "No") answer = MsgAnswer::No;
    else return "unknown answer " + a;
    host_->Messages().Queue(answer);
    return std::string();
  }
  if (verb == "file") {
    if (auto e = need(2); !e.empty()) return e;
    if (!t[1].quoted && t[1].text == "cancel") {
      host_->Files().Queue(std::nullopt);
    } else {
      const std::filesystem::path name = t[1].text;
      host_->Files().Queue((name.is_absolute() ? name : std::filesystem::current_path() / name)
                               .string());
    }
    return std::string();
  }
  if (verb == "data") {
    if (t.size() < 3 || t[1].text != "folder") return std::string("data folder \"NAME\"");
    if (host_->Started()) return std::string("the data folder is set before the start");
    const std::filesystem::path folder = std::filesystem::current_path() / t[2].text;
    std::filesystem::create_directories(folder);
    host_->UseDataFolder(folder);
    return std::string();
  }
  if (verb == "bench") return RunBenchStep(step, *host_, benchState_);
  if (verb == "adjust") return RunAdjustField(step, *host_, benchState_);
  if (verb == "picture") {
    if (auto e = need(2); !e.empty()) return e;
    return SavePicture(t[1].text);
  }
  if (verb == "technician" && step.Arg(1) == "verifies") return RunVerifier(step, *host_, verifier_);
  if (verb == "technician") return RunTechnician(step, *host_, technician_);
  if (verb == "menu") {
    if (auto e = need(2); !e.empty()) return e;
    return QueueAction([path = t[1].text] { return TriggerMenu(path); });
  }
  if (verb == "close") {
    if (auto e = need(2); !e.empty()) return e;
    return QueueAction([name = t[1].text] { return CloseWindow(name); });
  }
  if (auto e = need(2); !e.empty()) return e;
  const auto ref = ParseControlRef(t[1].text, false);
  if (!ref) return "cannot read the control name " + t[1].text;
  if (verb == "click") return QueueAction([r = *ref] { return Click(r, false); });
  if (verb == "dblclick") return QueueAction([r = *ref] { return Click(r, true); });
  if (verb == "check") return QueueAction([r = *ref] { return SetChecked(r, true); });
  if (verb == "uncheck") return QueueAction([r = *ref] { return SetChecked(r, false); });
  if (verb == "focus") return QueueAction([r = *ref] { return Focus(r); });
  if (verb == "leave") return QueueAction([r = *ref] { return Leave(r); });
  if (auto e = need(3); !e.empty()) return e;
  const Token& arg = t[2];
  if (verb == "choose") {
    std::optional<int> index;
    if (!arg.quoted && arg.text.size() > 1 && arg.text[0] == '#') {
      index = static_cast<int>(LeadingNumber(arg.text.substr(1)));
    }
    return QueueAction([r = *ref, text = arg.text, index] { return Choose(r, text, index); });
  }
  if (verb == "type") return QueueAction([r = *ref, s = arg.text] { return TypeText(r, s); });
  if (verb == "set") return QueueAction([r = *ref, s = arg.text] { return SetText(r, s); });
  if (verb == "key") return QueueAction([r = *ref, k = arg.text] { return PressKey(r, k); });
  return "unknown step " + verb;
}

std::optional<std::string> ScenarioRunner::Wait(const Step& step) {
  const auto& t = step.tokens;
  const auto now = std::chrono::steady_clock::now();
  if (t.size() >= 2 && t[1].text == "until" && !t[1].quoted) {
    if (t.size() < 3) return std::string("wait until needs an expectation");
    const std::size_t length = ExpectationLength(t, 2);
    int ms = 5000;
    if (t.size() > 2 + length && IsInteger(t.back())) ms = std::stoi(t.back().text);
    if (!deadline_) deadline_ = now + std::chrono::milliseconds(ms);
    std::string error = Expect(step, 2);
    if (error.empty()) {
      deadline_.reset();
      return std::string();
    }
    if (now < *deadline_) return std::nullopt;
    deadline_.reset();
    return "waited " + std::to_string(ms) + " ms: " + error;
  }
  if (t.size() != 2 || !IsInteger(t[1])) return std::string("wait takes milliseconds or until");
  if (!deadline_) deadline_ = now + std::chrono::milliseconds(std::stoi(t[1].text));
  if (now < *deadline_) return std::nullopt;
  deadline_.reset();
  return std::string();
}

std::string ScenarioRunner::Expect(const Step& step, std::size_t first) {
  const auto& t = step.tokens;
  const std::size_t n = t.size() - first;
  auto at = [&](std::size_t i) -> const Token& { return t[first + i]; };
  std::string error;
  const std::string& head = at(0).text;
  if (!at(0).quoted && head == "window") {
    if (n < 3) return "expect window == \"CAPTION\"";
    QWidget* window = ActiveWindow();
    const std::string caption = window ? window->windowTitle().toStdString() : std::string();
    Compare(caption, at(1).text, at(2).text, &error, "the active window");
    return error;
  }
  if (!at(0).quoted && head == "no" && n >= 2 && at(1).text == "message") {
    const auto shown = host_->Messages().TakeShown();
    host_->Messages().TakeUnexpected();
    return shown.empty() ? std::string() : "a message was shown: " + Describe(shown.back());
  }
  if (!at(0).quoted && head == "message") {
    if (n < 2) return "expect message \"TEXT\"";
    const auto shown = host_->Messages().TakeShown();
    host_->Messages().TakeUnexpected();
    if (shown.empty()) return "no message was shown";
    const ShownMessage& box = shown.back();
    std::string wrong;
    if (box.text != at(1).text) wrong += " text";
    for (std::size_t i = 2; i + 1 < n; i += 2) {
      const std::string& key = at(i).text;
      const std::string& value = at(i + 1).text;
      if (key == "title" && box.title != value) wrong += " title";
      else if (key == "icon" && IconName(box.icon) != value) wrong += " icon";
      else if (key == "buttons" && ButtonsName(box.buttons) != value) wrong += " buttons";
      else if (key != "title" && key != "icon" && key != "buttons") return "unknown " + key;
    }
    return wrong.empty() ? std::string() : "the message differs in" + wrong + ": " + Describe(box);
  }
  if (!at(0).quoted && head == "no" && n >= 3 && at(1).text == "file") {
    return std::filesystem::exists(at(2).text) ? "file " + at(2).text + " exists" : std::string();
  }
  if (!at(0).quoted && head == "file") {
    if (n < 4) return "expect file \"NAME\" == \"TEXT\"";
    bool ok = false;
    const std::string content = ReadFile(at(1).text, &ok);
    if (!ok) return "no file " + at(1).text;
    if (at(2).text == "contains") {
      return content.find(at(3).text) != std::string::npos
                 ? std::string()
                 : "file " + at(1).text + " does not contain " + Visible(at(3).text) +
                       "; it holds " + Visible(content);
    }
    Compare(content, at(2).text, at(3).text, &error, "file " + at(1).text);
    return error;
  }
  if (!at(0).quoted && head == "scaling") {
    if (n < 7 || at(2).text != "at" || at(4).text != "~") {
      return "expect scaling CHANNEL at VOLTS ~ LOAD TOL";
    }
    return ExpectScaling(static_cast<int>(LeadingNumber(at(1).text)), LeadingNumber(at(3).text),
                         LeadingNumber(at(5).text), LeadingNumber(at(6).text));
  }
  if (!at(0).quoted && head == "pdf") {
    if (n < 4 || at(2).text != "contains") return "expect pdf \"NAME\" contains \"TEXT\"";
    if (!std::filesystem::exists(at(1).text)) return "no file " + at(1).text;
    const std::string text = PdfText(at(1).text);
    return text.find(at(3).text) != std::string::npos
               ? std::string()
               : "pdf " + at(1).text + " does not contain " + Visible(at(3).text) +
                     "; its text is " + Visible(text);
  }
  if (!at(0).quoted && head == "channel") {
    if (n < 4) return "expect channel N FIELD == VALUE";
    const int channel = static_cast<int>(LeadingNumber(at(1).text));
    const auto value = ChannelField(host_->Config(), channel, at(2).text);
    if (!value) return "no field " + at(2).text + " of channel " + at(1).text;
    const std::string& op = at(3).text;
    const std::string what = "channel " + at(1).text + " " + at(2).text;
    if (op == "~") {
      if (n < 6 || !std::holds_alternative<double>(*value)) return "~ compares numbers: ~ VALUE TOL";
      const double actual = std::get<double>(*value);
      const double want = LeadingNumber(at(4).text);
      const double tol = LeadingNumber(at(5).text);
      return std::fabs(actual - want) <= tol
                 ? std::string()
                 : what + " is " + GeneralFormat(static_cast<float>(actual)) + ", expected " +
                       at(4).text + " within " + at(5).text;
    }
    if (n < 5) return "expect channel N FIELD == VALUE";
    std::string actual;
    if (const auto* s = std::get_if<std::string>(&*value)) actual = *s;
    else if (const auto* b = std::get_if<bool>(&*value)) actual = *b ? "true" : "false";
    else {
      const double number = std::get<double>(*value);
      const bool same = number == LeadingNumber(at(4).text);
      actual = same ? at(4).text : GeneralFormat(static_cast<float>(number));
    }
    Compare(actual, op, at(4).text, &error, what);
    return error;
  }
  if (!at(0).quoted && head == "bench") return ExpectBench(step, first, *host_);
  // NAME.PROP == VALUE, NAME[r,c] == VALUE
  if (n < 3) return "expect NAME.PROP == VALUE";
  const auto ref = ParseControlRef(at(0).text, true);
  if (!ref) return "cannot read " + at(0).text;
  if (!ref->row && ref->property.empty()) return "say which property of " + ref->name;
  const auto value = ReadProperty(*ref, &error);
  if (!value) return error;
  Compare(*value, at(1).text, at(2).text, &error, at(0).text);
  return error;
}

void ScenarioRunner::FinishFile() {
  tearingDown_ = true;
}

void ScenarioRunner::TearDown() {
  // Close the modal windows first, one per tick, so that each nested event
  // loop unwinds before the program's objects go away.
  if (QWidget* modal = QApplication::activeModalWidget()) {
    if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    else modal->close();
    return;
  }
  if (pending_ && pending_->started && !pending_->done) return;  // still unwinding
  pending_.reset();
  host_.reset();
  std::filesystem::current_path(originalDir_);
  workDir_.reset();
  tearingDown_ = false;
  deadline_.reset();
  benchState_ = BenchStepState{};
  technician_ = TechnicianState{};
  verifier_ = VerifierState{};
  StartNextFile();
}

}  // namespace vernium::scenario
