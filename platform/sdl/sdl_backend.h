// The real screen through SDL2: one borderless or framed SDL window per visible top-level
// window, raw input from them, and the system's clipboard and cursors.
#pragma once

#include <map>
#include <string>

#include "platform/backend.h"

struct SDL_Window;
struct SDL_Cursor;
union SDL_Event;

namespace platform {

class SdlBackend : public Backend {
 public:
  // Starts SDL's video; throws std::runtime_error with SDL's reason when that fails.
  SdlBackend();
  ~SdlBackend() override;

  SIZE ScreenSize() const override;
  DWORD Now() override;
  bool NextEvent(InputEvent* event) override;
  bool Wait(DWORD timeoutMs) override;
  void WindowChanged(HWND window) override;
  void WindowDestroyed(HWND window) override;
  void Present(HWND window, const PixelView& pixels) override;
  void SetCursorShape(WORD shape) override;
  void Beep() override;
  void SetClipboardText(const std::string& utf8) override;
  std::string ClipboardText() override;

 private:
  bool Translate(const SDL_Event& e, InputEvent* out);
  HWND WindowOf(unsigned int sdlId) const;

  std::map<HWND, SDL_Window*> windows_;
  std::map<WORD, SDL_Cursor*> cursors_;
  SIZE screen_{0, 0};
};

}  // namespace platform
