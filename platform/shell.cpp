// Shell-open through xdg-open, started in a detached grandchild so nobody waits for it and no
// zombie is left behind.
#include "platform/shell.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <utility>

#include "platform/codepage.h"

extern char** environ;

namespace platform {
namespace {

bool HasScheme(std::string_view s) {
  std::size_t colon = s.find(':');
  if (colon == std::string_view::npos || colon < 2) return false;
  for (std::size_t i = 0; i < colon; ++i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
  }
  return std::isalpha(static_cast<unsigned char>(s[0])) != 0;
}

bool LooksLikeHost(std::string_view s) {
  std::size_t end = s.find_first_of("/?#");
  std::string_view host = s.substr(0, end);
  if (host.empty() || host.find('.') == std::string_view::npos) return false;
  for (char c : host) {
    unsigned char u = static_cast<unsigned char>(c);
    if (!std::isalnum(u) && c != '.' && c != '-' && c != ':') return false;
  }
  return host.front() != '.' && host.front() != '-';
}

std::function<void(const std::string&)>& OpenHook() {
  static std::function<void(const std::string&)> hook;
  return hook;
}

}  // namespace

void SetShellOpenHook(std::function<void(const std::string& file)> hook) {
  OpenHook() = std::move(hook);
}

std::string ShellOpenTarget(std::string_view file) {
  if (!HasScheme(file) && LooksLikeHost(file)) return "http://" + std::string(file);
  return std::string(file);
}

HINSTANCE ShellExecuteA(HWND, LPCSTR operation, LPCSTR file, LPCSTR, LPCSTR, int) {
  auto result = [](UINT_PTR code) { return reinterpret_cast<HINSTANCE>(code); };
  if (!file || !*file) return result(2);
  if (operation && std::string_view(operation) != "open") return result(31);
  if (OpenHook()) {
    OpenHook()(file);
    return result(42);
  }
  std::string target = AnsiToUtf8(ShellOpenTarget(file));
  pid_t child = fork();
  if (child < 0) return result(8);
  if (child == 0) {
    // The grandchild runs the opener; the child exits at once and is reaped below.
    char opener[] = "xdg-open";
    char* argv[] = {opener, target.data(), nullptr};
    pid_t grandchild;
    int failed = posix_spawnp(&grandchild, "xdg-open", nullptr, nullptr, argv, environ);
    _exit(failed ? 1 : 0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return result(42);
}

}  // namespace platform
