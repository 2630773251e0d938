// The reader's main window for the benchmarks: made as the program makes it, on the in-memory
// screen, over the tarsilo.mdb of a given folder.
#pragma once

#include <filesystem>
#include <memory>

#include "app/program.h"
#include "app/unit1.h"
#include "framework/application.h"
#include "platform/backend.h"
#include "platform/headless/headless_backend.h"
#include "platform/winuser.h"

namespace benchapp {

// Dispatches every queued message, paints included.
inline void Pump() {
  platform::MSG msg;
  while (platform::PeekMessageA(&msg, nullptr, 0, 0, platform::PM_REMOVE)) {
    platform::TranslateMessage(&msg);
    platform::DispatchMessageA(&msg);
  }
}

// Makes the current folder `folder`, starts the application on a 1280 x 1024 screen, makes the
// main window (connecting and opening the datasets), shows and paints it. Once per process.
inline Tmain& OpenMainWindow(const std::filesystem::path& folder) {
  std::filesystem::current_path(folder);
  platform::SetBackend(std::make_unique<platform::HeadlessBackend>(1280, 1024));
  StartApplicationObjects();
  Application->Setup();
  Application->ChangeTitle("Orvanta");
  Application->MakeForm(unit1::main);
  unit1::main->Show();
  Pump();
  return *unit1::main;
}

}  // namespace benchapp
