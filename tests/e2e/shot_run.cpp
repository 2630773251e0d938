// Running velmora-shot for the end-to-end tests.
#include "tests/e2e/shot_run.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

extern char** environ;

namespace e2etest {
namespace {

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::filesystem::path FreshFolder() {
  static std::atomic<int> counter{0};
  std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      ("velmora-e2e-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

}  // namespace

ShotResult RunShot(const std::string& script, const ShotOptions& options) {
  ShotResult result;
  result.folder = FreshFolder();
  result.removal = std::shared_ptr<void>(nullptr, [folder = result.folder](void*) {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  });
  if (options.database) {
    std::filesystem::copy_file(
        options.databaseFile.empty() ? VELMORA_SAMPLE_DATABASE : options.databaseFile,
        result.folder / "tarsilo.mdb");
  }
  std::ofstream(result.folder / "script.txt") << script;
  std::vector<std::string> args = {VELMORA_SHOT, "--script", "script.txt", "--state", "state.json"};
  if (!options.screen.empty()) {
    args.push_back("--screen");
    args.push_back(options.screen);
  }
  if (options.png) {
    args.push_back("--png");
    args.push_back("screen.png");
  }
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  std::string errorsPath = (result.folder / "stderr.txt").string();
  posix_spawn_file_actions_addopen(&actions, 2, errorsPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  std::string folder = result.folder.string();
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  pid_t child = 0;
  int failed = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed) throw std::runtime_error("cannot start velmora-shot");
  int status = 0;
  waitpid(child, &status, 0);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.errors = ReadAll(result.folder / "stderr.txt");
  if (std::filesystem::exists(result.folder / "state.json")) {
    result.state = shot::Json::Parse(ReadAll(result.folder / "state.json"));
  }
  return result;
}

shot::Json ReadState(const ShotResult& run, const std::string& file) {
  std::string text = ReadAll(run.folder / file);
  if (text.empty()) throw std::runtime_error("the script wrote no " + file);
  return shot::Json::Parse(text);
}

const shot::Json& Component(const shot::Json& state, const std::string& name) {
  const shot::Json& components = state.Get("components");
  for (std::size_t i = 0; i < components.Size(); ++i) {
    if (components.At(i).Get("name").AsString() == name) return components.At(i);
  }
  return state.Get("no such component");
}

const shot::Json& Window(const shot::Json& state, const std::string& caption) {
  const shot::Json& windows = state.Get("windows");
  for (std::size_t i = 0; i < windows.Size(); ++i) {
    if (windows.At(i).Get("caption").AsString() == caption) return windows.At(i);
  }
  return state.Get("no such window");
}

}  // namespace e2etest
