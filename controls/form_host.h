// What forms need from the application object, which lives in the layer above and installs
// itself here.
#pragma once

#include "platform/winuser.h"

class TCustomForm;

class FormHost {
 public:
  virtual ~FormHost() = default;
  // The hidden application window that owns every form's window.
  virtual platform::HWND ApplicationWindow() = 0;
  virtual TCustomForm* MainForm() = 0;
  // Closing the main form ends the message loop.
  virtual void RequestQuit() = 0;
  // A form was constructed (before its stream is read) or is being freed.
  virtual void FormCreated(TCustomForm* form) = 0;
  virtual void FormDestroyed(TCustomForm* form) = 0;
  // A form was shown or hidden: the application window is shown while any form is visible.
  virtual void FormVisibilityChanged() = 0;
  // A form became the active window.
  virtual void FormActivated(TCustomForm* form) = 0;
};

// Installs the host (null removes it) and returns the previous one.
FormHost* SetFormHost(FormHost* host);
FormHost* CurrentFormHost();
