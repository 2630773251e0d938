// Windowed controls: a control with a window of its own that holds other controls.
#pragma once

#include <vector>

#include "controls/control.h"
#include "graphics/brush.h"

// What a windowed control asks of the window system when its window is made.
struct TCreateParams {
  AnsiString Caption;
  platform::DWORD Style = 0;
  platform::DWORD ExStyle = 0;
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  platform::HWND WndParent = nullptr;
  platform::WNDCLASSA WindowClass{};
  // The registered class name; the class is registered on first use with WindowClass.
  AnsiString WinClassName;
};

// A windowed control has a window, made on first need (Handle) and only while the control and
// its containers are showing. It contains controls (see TControl on ownership): windowless ones are
// painted on its surface in the order they were inserted, below every windowed child, and
// receive its mouse messages; windowed children are child windows above them, the later
// inserted above the earlier. Windowed children take the focus in TabOrder order.
//
// Messages reach WndProc by number; what no class handles goes to DefaultHandler, which calls
// the window class's default procedure (the system control's, for a subclassed one).
class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(static_cast<std::size_t>(index)); }
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  // True for the control itself and any control inside it at any depth.
  bool ContainsControl(const TControl* control) const;
  // The topmost visible control at pos (client coordinates) among the controls directly
  // inside this one: windowed controls only with allowWinControls, disabled ones only with
  // allowDisabled.
  TControl* ControlAtPos(platform::POINT pos, bool allowDisabled,
                         bool allowWinControls = false) const;

  // The window, made (with the windows of the containers above) when first asked for.
  platform::HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded() { Handle(); }
  // A window outside the framework to use as parent when the control has no parent control.
  platform::HWND ParentWindow() const { return parentWindow_; }
  void SetParentWindow(platform::HWND value);
  // Destroys the window and makes it again, with the current creation parameters.
  void RecreateWnd();
  // The control has its window and it is shown: it and every container are visible.
  bool Showing() const { return showing_; }

  int TabOrder() const;
  void SetTabOrder(int value);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value);
  // The windowed controls inside this one, at every depth, in tab order.
  void GetTabOrderList(std::vector<TWinControl*>& list) const;
  // The control after (or before) current in tab order among those inside this one that can
  // take the focus; wraps around. checkTabStop skips controls without TabStop; checkParent
  // keeps to controls whose parent is this one.
  TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop,
                               bool checkParent) const;
  bool Focused() const;
  // The control lies on a form, and it and every container up to that form are visible and
  // enabled.
  virtual bool IsFocusable() const;
  // Asks the control's form to focus it: it becomes the form's active control, and the focus
  // moves to it if the form is active (the form is activated otherwise). A control without a
  // form but with a parent window takes the system focus directly; with neither it raises
  // EInvalidOperation "Control '%s' has no parent window".
  void TakeFocus();

  platform::RECT ClientRect() const override;
  void Invalidate() override;
  void Update() override;
  void SetBounds(int left, int top, int width, int height) override;
  void ChangeScale(int m, int d) override;
  platform::POINT ClientToScreen(platform::POINT pt) const override;
  platform::POINT ScreenToClient(platform::POINT pt) const override;

  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;
  // Children inherit font, colour and bidi mode through these notices.
  void NotifyControls(platform::UINT msg);

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;

  void AfterLoading() override;

 protected:
  friend class TControl;

  virtual void CreateParams(TCreateParams& params);
  // Makes the window a subclass of a registered class: the class's procedure becomes the
  // default handler.
  void CreateSubClass(TCreateParams& params, const char* controlClassName);
  virtual void CreateHandle();
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& params);
  virtual void DestroyHandle();
  virtual void DestroyWnd();
  // Paints the window itself (the default procedure's painting); the contained graphic
  // controls are painted after it by PaintControls.
  virtual void PaintWindow(platform::HDC dc);
  // Paints the graphic controls from first (null: all) on, each clipped to its rectangle
  // and with its origin at its top-left.
  void PaintControls(platform::HDC dc, TControl* first);
  // Erases the background with Color.
  virtual void EraseBackground(platform::HDC dc);
  // Whether this control is the top of a window tree (a form); it shows itself.
  virtual bool IsTopContainer() const { return parentWindow_ != nullptr; }
  // Recomputes Showing for this control and those inside it, making or hiding windows;
  // containerShowing says whether the container is (about to be) showing.
  void UpdateShowing(bool containerShowing = true);
  void UpdateControlState();
  // Called when Showing changes; shows or hides the window.
  virtual void ShowingChanged();
  void UpdateBoundsRect(int left, int top, int width, int height) override;
  void SetTextBuffer(const AnsiString& value) override;
  AnsiString GetText() const override;
  void ColorChanged() override;

  virtual void KeyDown(std::uint16_t& key, TShiftState shift);
  virtual void KeyPress(char& key);
  virtual void KeyUp(std::uint16_t& key, TShiftState shift);
  virtual void DoEnter();
  virtual void DoExit();

  // Moves a contained control to the front (true) or back of its kind, for BringToFront.
  void MoveControl(TControl* control, bool toFront);

  platform::HWND handle_ = nullptr;
  platform::WNDPROC defWndProc_ = nullptr;

 private:
  static platform::LRESULT InitWndProc(platform::HWND hwnd, platform::UINT msg,
                                       platform::WPARAM wParam, platform::LPARAM lParam);
  static platform::LRESULT MainWndProc(platform::HWND hwnd, platform::UINT msg,
                                       platform::WPARAM wParam, platform::LPARAM lParam);
  // Routes a mouse message over a graphic control (or held by one) to it; true if it did.
  bool IsControlMouseMsg(TMessage& message);
  void HandlePaint(TMessage& message);
  bool HandleSetCursor(TMessage& message);
  // A dialog key that the control does not want and its form used; true when handled.
  bool IsDialogKey(const TMessage& message);
  bool DoKeyDown(TMessage& message);
  bool DoKeyPress(TMessage& message);
  bool DoKeyUp(TMessage& message);
  void UpdateBoundsFromWindow();
  void PlaceWindowInZOrder();
  void FixupTabList();

  TBrush brush_;                     // Color, for the background and child colour questions
  std::vector<TControl*> controls_;  // in insertion order
  std::vector<TWinControl*> tabList_;
  platform::HWND parentWindow_ = nullptr;
  bool showing_ = false;
  int storedTabOrder_ = -1;  // as read from the stream, applied when the container has loaded
  bool tabStop_ = false;
  bool settingBounds_ = false;
};

// The windowed control whose window this is, or null for a window of no control.
TWinControl* FindControl(platform::HWND hwnd);
// The system cursor of a control cursor value; null for crDefault.
platform::HCURSOR CursorHandle(TCursor cursor);
