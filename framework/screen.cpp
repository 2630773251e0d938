// The screen object.
#include "framework/screen.h"

#include <algorithm>

#include "graphics/font.h"
#include "platform/winuser.h"

using namespace platform;

TScreen* Screen = nullptr;

TScreen::TScreen(TComponent* owner) : TComponent(owner) {}

int TScreen::PixelsPerInch() const {
  return ScreenLogPixels();
}

int TScreen::Width() const {
  return GetSystemMetrics(SM_CXSCREEN);
}

int TScreen::Height() const {
  return GetSystemMetrics(SM_CYSCREEN);
}

int TScreen::DesktopWidth() const {
  return GetSystemMetrics(SM_CXVIRTUALSCREEN);
}

int TScreen::DesktopHeight() const {
  return GetSystemMetrics(SM_CYVIRTUALSCREEN);
}

void TScreen::AddForm(TCustomForm* form) {
  if (std::find(forms_.begin(), forms_.end(), form) == forms_.end()) forms_.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
  if (activeForm_ == form) activeForm_ = nullptr;
}

void TScreen::RemoveDataModule(TComponent* module) {
  dataModules_.erase(std::remove(dataModules_.begin(), dataModules_.end(), module),
                     dataModules_.end());
}
