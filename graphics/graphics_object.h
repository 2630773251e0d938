// The base of fonts, pens and brushes: a persistent value that announces its changes and keeps
// the platform object made from it.
#pragma once

#include "core/event.h"
#include "core/identtables.h"
#include "core/persistent.h"
#include "platform/gdi_handles.h"

class TGraphicsObject : public TPersistent {
 public:
  ~TGraphicsObject() override;

  // Called after every change of a value, with this object as sender. The owner (a control
  // or a canvas) uses it to repaint or to reselect the object's handle.
  TNotifyEvent OnChange;

 protected:
  // The platform object for the current values, made by MakeHandle on first request and kept
  // until the next change.
  platform::HGDIOBJ ObjectHandle();
  virtual platform::HGDIOBJ MakeHandle() { return nullptr; }
  // Takes ownership of a platform object made elsewhere.
  void AdoptHandle(platform::HGDIOBJ handle);
  // Tells the owner first, so that a canvas holding the old handle selected lets it go; the
  // old handle is freed after.
  virtual void Changed();

 private:
  platform::HGDIOBJ handle_ = nullptr;
};
