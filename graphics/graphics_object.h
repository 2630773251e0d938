// The base of fonts, pens and brushes: a persistent value that announces its changes.
#pragma once

#include "core/event.h"
#include "core/identtables.h"
#include "core/persistent.h"

class TGraphicsObject : public TPersistent {
 public:
  // Called after every change of a value, with this object as sender. The owner (a control
  // or a canvas) uses it to repaint or to reselect the object's handle.
  TNotifyEvent OnChange;

 protected:
  virtual void Changed();
};
