// The screen object: every form in creation order, the active form and the display's metrics.
#pragma once

#include <vector>

#include "core/component.h"

class TCustomForm;

class TScreen : public TComponent {
 public:
  explicit TScreen(TComponent* owner);

  int FormCount() const { return static_cast<int>(forms_.size()); }
  TCustomForm* Forms(int index) const { return forms_.at(static_cast<std::size_t>(index)); }
  int DataModuleCount() const { return static_cast<int>(dataModules_.size()); }
  TComponent* DataModules(int index) const {
    return dataModules_.at(static_cast<std::size_t>(index));
  }
  TCustomForm* ActiveForm() const { return activeForm_; }
  // The logical pixels per inch of the display.
  int PixelsPerInch() const;
  // The primary screen and the virtual desktop; there is one monitor.
  int Width() const;
  int Height() const;
  int DesktopWidth() const;
  int DesktopHeight() const;
  int MonitorCount() const { return 1; }

  void AddForm(TCustomForm* form);
  void RemoveForm(TCustomForm* form);
  void SetActiveForm(TCustomForm* form) { activeForm_ = form; }
  void AddDataModule(TComponent* module) { dataModules_.push_back(module); }
  void RemoveDataModule(TComponent* module);

 private:
  std::vector<TCustomForm*> forms_;
  std::vector<TComponent*> dataModules_;
  TCustomForm* activeForm_ = nullptr;
};

// The process-wide screen object, made by StartApplicationObjects.
extern TScreen* Screen;
