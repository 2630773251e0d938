// Forms: top-level windows built from their stored description, from construction to first
// show, activation, focus and closing.
#pragma once

#include "controls/wincontrol.h"

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = SetOf<TBorderIcon>;
enum class TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };

// The result a modal form ends with: the value of the button that closed it.
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

using TCloseEvent = TEvent<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = TEvent<void(TObject* Sender, bool& CanClose)>;

// A form is created in two steps: the constructor sets the defaults (320 x 240 at 0, 0,
// sizeable, normal, hidden, the screen's pixels per inch) and registers the form with the
// application; AfterConstruction then reads the stored description of the form's class and its
// ancestors (a plain TForm has none), runs the after-load steps and OnCreate, and shows the form
// if the description asked for it. NewForm does both. An exception from OnCreate is reported
// and the form is still made; one from reading propagates.
//
// The window is a popup without caption, frame or system menu for bsNone, owned by the
// application window. Closing the main form ends the application's loop; closing another form
// does what the close action says (hide by default).
//
// Whoever frees a form calls BeforeDestruction first (the application does), so that OnDestroy
// runs while the form is still whole.
class TCustomForm : public TWinControl {
 public:
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  void AfterConstruction();
  void BeforeDestruction();

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle value);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons value);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition value) { position_ = value; }
  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState value);
  bool OldCreateOrder() const { return oldCreateOrder_; }
  void SetOldCreateOrder(bool value) { oldCreateOrder_ = value; }
  int PixelsPerInch() const { return pixelsPerInch_; }
  // Accepted only when 0 or above 35, and while loading only for a scaled form.
  void SetPixelsPerInch(int value);
  // The stored height of "0" in the form's font, which scaling compares with the real one.
  int TextHeight() const { return textHeight_; }
  // While the form is read, client sizes are only remembered: they are applied after scaling.
  int FormClientWidth() const { return ClientWidth(); }
  int FormClientHeight() const { return ClientHeight(); }
  void SetFormClientWidth(int value);
  void SetFormClientHeight(int value);

  void SetVisible(bool value) override;
  bool Active() const { return active_; }
  TWinControl* ActiveControl() const { return activeControl_; }
  // Fails with EInvalidOperation "Cannot focus a disabled or invisible window" for the form
  // itself, a control of another form, and (unless loading) a control that cannot take the
  // focus.
  void SetActiveControl(TWinControl* control);
  // Makes the control active and moves the focus to it, activating the form if needed.
  void FocusControl(TWinControl* control);
  // Called when a control inside the form receives the focus.
  void SetFocusedControl(TWinControl* control);
  // A control that is hidden, disabled or removed gives up the focus it had in this form.
  void RemoveFocus(TWinControl* control);
  // Moves the focus to the next control in tab order.
  void SelectNext(TWinControl* current, bool forward, bool checkTabStop);

  // The standard close: asks OnCloseQuery, then OnClose with the default action (hide), then
  // quits (main form), hides, minimises or frees the form.
  void Close();
  bool CloseQuery();
  // Frees the form once the messages already queued for it have been handled.
  void Release();

  // Set (not mrNone) by a button with a modal result to end the modal loop showing the form.
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult value) { modalResult_ = value; }
  // With KeyPreview the form's OnKeyDown sees a key before the focused control inside it.
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool value) { keyPreview_ = value; }

  platform::RECT ClientRect() const override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  void LoadState(TReader& reader) override;
  void AfterLoading() override;
  void DeclareStoredProperties(TReader& reader) override;
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  bool IsTopContainer() const override { return true; }
  void ShowingChanged() override;
  void VisibleChanging() override;
  virtual void DoCreate();
  virtual void DoClose(TCloseAction& action);

 private:
  // Places the form by Position, once, on its first show.
  void PlaceByPosition();
  void Activated(bool active);
  void SetWindowFocus();
  // The height of "0" in the form's font, in pixels.
  int MeasureTextHeight();
  // Runs a handler, reporting what it throws through the application.
  void Guarded(const TNotifyEvent& handler);

  TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
  TBorderIcons borderIcons_ = {TBorderIcon::biSystemMenu, TBorderIcon::biMinimize,
                               TBorderIcon::biMaximize};
  TPosition position_ = TPosition::poDesigned;
  TWindowState windowState_ = TWindowState::wsNormal;
  bool oldCreateOrder_ = false;
  int pixelsPerInch_;
  int textHeight_ = 0;
  int storedClientWidth_ = 0;
  int storedClientHeight_ = 0;
  bool creating_ = false;
  bool visibleRequested_ = false;
  bool inShowHandler_ = false;
  bool active_ = false;
  bool destroyCalled_ = false;
  bool keyPreview_ = false;
  TModalResult modalResult_ = mrNone;
  TWinControl* activeControl_ = nullptr;
  TWinControl* focusedControl_ = nullptr;
};

// A form that publishes the stored properties and events.
class TForm : public TCustomForm {
 public:
  using TCustomForm::TCustomForm;
};

// The form the control lies on (the control itself if it is a form), or null.
TCustomForm* GetParentForm(const TControl* control);

// Makes a form of class F with the given owner and reads its description; the form is freed if
// that fails.
template <class F>
F* NewForm(TComponent* owner) {
  auto* form = new F(owner);
  try {
    form->AfterConstruction();
  } catch (...) {
    delete form;
    throw;
  }
  return form;
}
