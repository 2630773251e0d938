// The base of every control: parent, bounds, visibility, enabling, cursor, colour, font,
// bidirectional mode, mouse events and the control messages.
#pragma once

#include "controls/control_messages.h"
#include "controls/control_types.h"
#include "core/component.h"
#include "core/identtables.h"
#include "graphics/font.h"

class TWinControl;

// A control lies in its parent's client area at (Left, Top), Width x Height. A control without
// a window of its own (a graphic control) paints on its parent's surface and receives its mouse
// messages from the parent; TWinControl adds the window. The parent does not own its controls:
// the owner (normally the form) frees them; a control leaves its parent when freed, and a
// container being freed frees what it owns and lets go of the rest.
//
// Font, Color and BiDiMode are taken from the parent while ParentFont, ParentColor and
// ParentBiDiMode are set; setting the property itself clears the flag.
class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
  void SetTop(int value) { SetBounds(left_, value, width_, height_); }
  void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
  void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
  virtual void SetBounds(int left, int top, int width, int height);
  platform::RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  // The client area, in the control's own coordinates.
  virtual platform::RECT ClientRect() const { return {0, 0, width_, height_}; }
  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientWidth(int value);
  void SetClientHeight(int value);
  virtual platform::POINT ClientToScreen(platform::POINT pt) const;
  virtual platform::POINT ScreenToClient(platform::POINT pt) const;
  // The client origin of the control in its parent's client coordinates (its Left and Top).
  platform::POINT ClientToParent(platform::POINT pt) const { return {pt.x + left_, pt.y + top_}; }

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // The control and every container up to its form (or a parentless root) are visible.
  bool IsShowing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool value);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor value);
  const AnsiString& Hint() const { return hint_; }
  void SetHint(AnsiString value) { hint_ = std::move(value); }

  // The text a control shows (its Caption, or an edit's Text).
  AnsiString Text() const { return GetText(); }
  void SetText(const AnsiString& value);
  AnsiString Caption() const { return GetText(); }
  void SetCaption(const AnsiString& value) { SetText(value); }

  TColor Color() const { return color_; }
  void SetColor(TColor value);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);
  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* value);
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value);
  TBiDiMode BiDiMode() const { return bidiMode_; }
  void SetBiDiMode(TBiDiMode value);
  bool ParentBiDiMode() const { return parentBiDiMode_; }
  void SetParentBiDiMode(bool value);

  // The right-to-left rule: each holds only while the process-wide right-to-left flag is set.
  bool IsRightToLeft() const;
  bool UseRightToLeftReading() const;
  virtual bool UseRightToLeftAlignment() const;
  bool UseRightToLeftScrollBar() const;
  // The DrawText flags for the mode: DT_RTLREADING when reading right to left, and, with
  // right-to-left alignment, DT_LEFT and DT_RIGHT exchanged (DT_CENTER stays).
  platform::UINT DrawTextBiDiModeFlags(platform::UINT flags) const;
  platform::UINT DrawTextBiDiModeFlagsReadingOnly() const;
  TAlignment MirroredAlignment(TAlignment alignment) const;

  TControlStyle ControlStyle() const { return controlStyle_; }
  void SetControlStyle(TControlStyle value) { controlStyle_ = value; }
  TControlState ControlState() const { return controlState_; }
  void SetControlState(TControlState value) { controlState_ = value; }

  // Sends a message straight to the control's window procedure.
  platform::LRESULT Perform(platform::UINT msg, platform::WPARAM wParam = 0,
                            platform::LPARAM lParam = 0);
  // The window procedure: handles the messages the control knows by number and passes the rest
  // to DefaultHandler (for a windowed control, its window class's procedure). The mouse-enter
  // and mouse-leave notices of the application's idle step raise OnMouseEnter and
  // OnMouseLeave and are passed on to the parent, with the control in LParam.
  virtual void WndProc(TMessage& message);
  virtual void DefaultHandler(TMessage& message) {}

  // Repaints the control's area (of its parent, for a graphic control) at the next paint.
  virtual void Invalidate();
  // Paints what is invalid now.
  virtual void Update();
  void Repaint();
  void Refresh() { Repaint(); }
  // Moves the control to the top or the bottom of its parent's controls of its kind.
  void BringToFront();
  void SendToBack();

  // Multiplies position and size by m / d (a control's own font too): form text-height
  // scaling.
  virtual void ChangeScale(int m, int d);

  // Mouse capture for this control (for a graphic control, through its parent's window).
  bool MouseCapture() const;
  void SetMouseCapture(bool value);

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnResize;

  // Acts as a click by the user: OnClick (and what a class does on a click).
  void Click() { DoClick(); }

  void LoadState(TReader& reader) override;
  void AttachToParent(TComponent* parent) override;
  TComponent* GetParentComponent() const override;

 protected:
  virtual AnsiString GetText() const { return text_; }
  virtual void DoClick();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void Resize();
  // Called when the font object changes (its OnChange): repaints and notifies.
  virtual void FontChanged(TObject* sender);
  // The colour the control paints with; windowed controls also refresh their brush.
  virtual void ColorChanged() { Invalidate(); }
  // Stores new bounds, repainting the parent's area under the old and the new rectangle;
  // windowed controls move their window instead.
  virtual void UpdateBoundsRect(int left, int top, int width, int height);
  // The area of the parent covered by the control is repainted.
  void InvalidateControl(bool isVisible, bool isOpaque);
  bool IsReading() const {
    return controlState_.Contains(TControlStateFlag::csReadingState) ||
           ComponentState().Contains(TComponentStateFlag::csReading);
  }
  bool IsLoading() const { return ComponentState().Contains(TComponentStateFlag::csLoading); }
  bool IsDestroying() const { return ComponentState().Contains(TComponentStateFlag::csDestroying); }
  // Called before Visible changes (forms refuse it while showing or hiding).
  virtual void VisibleChanging() {}
  // Stores the text; windowed controls put it into their window.
  virtual void SetTextBuffer(const AnsiString& value) { text_ = value; }

  // Which stored values the form's text-height scaling applies to: those read from the stream.
  enum class TScalingFlag { sfLeft, sfTop, sfWidth, sfHeight, sfFont };
  using TScalingFlags = SetOf<TScalingFlag>;

  AnsiString text_;
  TScalingFlags scalingFlags_;
  TControlStyle controlStyle_ = {TControlStyleFlag::csCaptureMouse,
                                 TControlStyleFlag::csClickEvents, TControlStyleFlag::csSetCaption,
                                 TControlStyleFlag::csDoubleClicks};
  TControlState controlState_;

 private:
  friend class TWinControl;

  void HandleMouse(TMessage& message);

  TWinControl* parent_ = nullptr;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  TCursor cursor_ = crDefault;
  AnsiString hint_;
  TColor color_ = clWindow;
  bool parentColor_ = true;
  std::unique_ptr<TFont> font_;
  bool parentFont_ = true;
  TBiDiMode bidiMode_ = TBiDiMode::bdLeftToRight;
  bool parentBiDiMode_ = true;
};

// The shift state of a mouse message's key flags.
TShiftState MouseShiftState(platform::WPARAM keys);
// The shift state of the keyboard now (Shift, Ctrl, Alt).
TShiftState KeyboardShiftState();
