// velmora-shot: the reader on an in-memory screen, driven by a script of user actions, for
// tests and for pictures without a display. The same entry sequence, window and database
// rules as velmora (tarsilo.mdb in the current folder).
//
//   velmora-shot [--screen WxH] [--script FILE] [--state FILE] [--png FILE]
//
// After the last action (at the next idle moment) it writes the state and the screen if asked
// and ends with status 0; if the program ends first, it writes them then and ends with the
// program's own status. A bad script line fails with its line number before anything runs
// (status 2).
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/program.h"
#include "app/shot/component_state.h"
#include "app/shot/driver.h"
#include "app/shot/screen_state.h"
#include "app/unit1.h"
#include "controls/wincontrol.h"
#include "framework/application.h"
#include "framework/screen.h"
#include "platform/shell.h"

namespace {

using shot::Json;

constexpr int kUsageStatus = 2;

struct Options {
  int width = 1280;
  int height = 1024;
  std::string script;
  std::string state;
  std::string png;
};

[[noreturn]] void Quit(int status) {
  // The program's objects are alive and in the middle of a message; nothing more of it runs.
  std::fflush(stdout);
  std::fflush(stderr);
  std::_Exit(status);
}

[[noreturn]] void Usage(const std::string& problem) {
  std::fprintf(stderr,
               "velmora-shot: %s\nusage: velmora-shot [--screen WxH] [--script FILE] "
               "[--state FILE] [--png FILE]\n",
               problem.c_str());
  Quit(kUsageStatus);
}

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string flag = argv[i];
    if (i + 1 >= argc) Usage(flag + " needs a value");
    std::string value = argv[++i];
    if (flag == "--screen") {
      int width = 0;
      int height = 0;
      char extra = 0;
      if (std::sscanf(value.c_str(), "%dx%d%c", &width, &height, &extra) != 2 || width <= 0 ||
          height <= 0 || width > 16384 || height > 16384) {
        Usage("--screen takes WIDTHxHEIGHT, not \"" + value + "\"");
      }
      options.width = width;
      options.height = height;
    } else if (flag == "--script") {
      options.script = value;
    } else if (flag == "--state") {
      options.state = value;
    } else if (flag == "--png") {
      options.png = value;
    } else {
      Usage("unknown option " + flag);
    }
  }
  return options;
}

std::vector<shot::Action> ReadScript(const std::string& path) {
  if (path.empty()) return {};
  std::ifstream in(path, std::ios::binary);
  if (!in) Usage("cannot read the script " + path);
  std::stringstream text;
  text << in.rdbuf();
  try {
    return shot::ParseScript(text.str());
  } catch (const shot::ScriptError& error) {
    std::fprintf(stderr, "velmora-shot: %s:%d: %s\n", path.c_str(), error.Line(), error.what());
    Quit(kUsageStatus);
  }
}

class Shot {
 public:
  explicit Shot(Options options) : options_(std::move(options)) {
    shot::AddDataEntries(registry_);
    shot::AddControlEntries(registry_);
    shot::AddGridEntries(registry_);
    shot::AddDialogEntries(registry_);
    platform::SetShellOpenHook([this](const std::string& file) { opened_.push_back(file); });
  }

  shot::ScriptDriver::Hooks Hooks() {
    shot::ScriptDriver::Hooks hooks;
    hooks.mainWindow = [] { return MainWindow(); };
    hooks.controlCentre = [](const std::string& name) -> std::optional<platform::POINT> {
      if (!unit1::main) return std::nullopt;
      auto* control = dynamic_cast<TControl*>(unit1::main->FindComponent(name));
      if (!control) return std::nullopt;
      return control->ClientToScreen({control->Width() / 2, control->Height() / 2});
    };
    hooks.writeState = [this](const std::string& file) { WriteState(file, std::nullopt); };
    hooks.writePng = [this](const std::string& file) { WritePng(file); };
    hooks.finish = [this] {
      WriteOutputs(std::nullopt);
      Quit(0);
    };
    hooks.fail = [this](const shot::ActionError& error) {
      std::fprintf(stderr, "velmora-shot: %s:%d: %s\n", options_.script.c_str(), error.Line(),
                   error.what());
      Quit(kUsageStatus);
    };
    return hooks;
  }

  void SetDriver(const shot::ScriptDriver* driver) { driver_ = driver; }

  void WriteOutputs(std::optional<int> exitStatus) {
    if (!options_.state.empty()) WriteState(options_.state, exitStatus);
    if (!options_.png.empty()) WritePng(options_.png);
  }

 private:
  static platform::HWND MainWindow() {
    return unit1::main && unit1::main->HandleAllocated() ? unit1::main->Handle() : nullptr;
  }

  Json State(std::optional<int> exitStatus) const {
    Json state = Json::MakeObject();
    state.Set("title", shot::Utf8(Application->CurrentTitle()));
    state.Set("exit", exitStatus ? Json(*exitStatus) : Json());
    state.Set("focus", Focus());
    Json windows = Json::MakeArray();
    for (platform::HWND window : shot::TopLevelWindows()) windows.Push(shot::WindowEntry(window));
    state.Set("windows", windows);
    state.Set("messages", shot::MessageBoxEntries());
    Json shell = Json::MakeArray();
    for (const std::string& file : opened_) shell.Push(shot::Utf8(file));
    state.Set("shell", shell);
    state.Set("components", unit1::main ? registry_.Entries(*unit1::main) : Json::MakeArray());
    if (unit1::main) state.Set("findPos", unit1::main->FindPosition());
    // The program's other forms (a message dialog while it is open), each with its components.
    Json forms = Json::MakeArray();
    for (int i = 0; Screen && i < Screen->FormCount(); ++i) {
      TCustomForm* form = Screen->Forms(i);
      if (form == unit1::main) continue;
      Json entry = Json::MakeObject();
      entry.Set("caption", shot::Utf8(form->Caption()));
      entry.Set("visible", form->Visible());
      entry.Set("components", registry_.Entries(*form));
      forms.Push(entry);
    }
    state.Set("forms", forms);
    return state;
  }

  // The focused control's name, or the focused window's caption; null when nothing has focus.
  static Json Focus() {
    platform::HWND focus = platform::GetFocus();
    if (!focus) return Json();
    if (unit1::main) {
      for (int i = 0; i < unit1::main->ComponentCount(); ++i) {
        auto* control = dynamic_cast<TWinControl*>(unit1::main->Components(i));
        if (control && control->HandleAllocated() && control->Handle() == focus) {
          return shot::Utf8(control->Name());
        }
      }
    }
    return shot::WindowCaption(focus);
  }

  void WriteState(const std::string& file, std::optional<int> exitStatus) const {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << State(exitStatus).Dump();
    if (!out) std::fprintf(stderr, "velmora-shot: cannot write %s\n", file.c_str());
  }

  void WritePng(const std::string& file) const {
    if (!shot::WriteScreenPng(*driver_, file)) {
      std::fprintf(stderr, "velmora-shot: cannot write %s\n", file.c_str());
    }
  }

  Options options_;
  shot::StateRegistry registry_;
  std::vector<std::string> opened_;
  const shot::ScriptDriver* driver_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
  Options options = ParseOptions(argc, argv);
  std::vector<shot::Action> actions = ReadScript(options.script);
  Shot shot(options);
  auto driver = std::make_unique<shot::ScriptDriver>(options.width, options.height,
                                                     std::move(actions), shot.Hooks());
  shot.SetDriver(driver.get());
  platform::SetBackend(std::move(driver));
  // The program may end first (the window closed, or its description unreadable): the state
  // and screen are then written as it ends, before its window is freed.
  int status = RunProgram([&shot](int ended) { shot.WriteOutputs(ended); });
  Quit(status);
}
