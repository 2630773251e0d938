// velmora: the reader on the desktop (the SDL screen), from the folder holding tarsilo.mdb.
#include <cstdio>
#include <memory>
#include <stdexcept>

#include "app/program.h"
#include "platform/backend.h"
#include "platform/sdl/sdl_backend.h"

int main() {
  try {
    platform::SetBackend(std::make_unique<platform::SdlBackend>());
  } catch (const std::runtime_error& error) {
    std::fprintf(stderr, "velmora: no display to show the window on (%s)\n", error.what());
    return 1;
  }
  return RunProgram();
}
