// velmora: the reader on the desktop (the SDL screen), from the folder holding tarsilo.mdb.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>

#include "app/program.h"
#include "platform/backend.h"
#include "platform/sdl/sdl_backend.h"

namespace {

// A desktop session names its display; without one SDL may still start on a console or an
// off-screen driver, where nobody would see the window. Choosing a driver explicitly
// (SDL_VIDEODRIVER) is taken as knowing what one does.
bool HasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  return false;
}

}  // namespace

int main() {
  if (!HasDisplay()) {
    std::fprintf(stderr,
                 "velmora: no display to show the window on (DISPLAY is not set); "
                 "velmora-shot shows it without one\n");
    return 1;
  }
  try {
    platform::SetBackend(std::make_unique<platform::SdlBackend>());
  } catch (const std::runtime_error& error) {
    std::fprintf(stderr, "velmora: no display to show the window on (%s)\n", error.what());
    return 1;
  }
  return RunProgram();
}
