// Forms: defaults, reading the stored description, text-height scaling and window parameters.
#include "controls/form.h"

#include "controls/form_host.h"
#include "core/apphooks.h"
#include "core/classes.h"
#include "core/exceptions.h"
#include "core/reader.h"
#include "platform/dc.h"
#include "platform/muldiv.h"
#include "platform/text.h"

using namespace platform;

TCustomForm::TCustomForm(TComponent* owner)
    : TWinControl(owner), pixelsPerInch_(ScreenLogPixels()) {
  controlStyle_ = {TControlStyleFlag::csAcceptsControls, TControlStyleFlag::csCaptureMouse,
                   TControlStyleFlag::csClickEvents, TControlStyleFlag::csSetCaption,
                   TControlStyleFlag::csDoubleClicks};
  SetBounds(0, 0, 320, 240);
  TWinControl::SetVisible(false);
  SetColor(clBtnFace);
  SetParentFont(false);
  RegisterGlobalComponent(this);
  if (FormHost* host = CurrentFormHost()) host->FormCreated(this);
}

TCustomForm::~TCustomForm() {
  if (FormHost* host = CurrentFormHost()) host->FormDestroyed(this);
  UnregisterGlobalComponent(this);
}

void TCustomForm::AfterConstruction() {
  creating_ = true;
  try {
    const TClassRecord* cls = ClassType();
    if (cls && cls != ClassOf<TForm>() && cls != ClassOf<TCustomForm>() &&
        !LoadFormResources(this, ClassOf<TForm>())) {
      throw EResNotFound(Format("Resource %s not found", ClassName().c_str()));
    }
    if (oldCreateOrder_) DoCreate();
  } catch (...) {
    creating_ = false;
    throw;
  }
  creating_ = false;
  if (!oldCreateOrder_) DoCreate();
  if (visibleRequested_) SetVisible(true);
}

void TCustomForm::BeforeDestruction() {
  if (destroyCalled_) return;
  destroyCalled_ = true;
  try {
    Hide();
  } catch (...) {
    ApplicationHandleException(this);
  }
  Guarded(OnDestroy);
}

void TCustomForm::Guarded(const TNotifyEvent& handler) {
  if (!handler) return;
  try {
    handler(this);
  } catch (...) {
    ApplicationHandleException(this);
  }
}

void TCustomForm::DoCreate() {
  Guarded(OnCreate);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
  if (borderStyle_ == value) return;
  borderStyle_ = value;
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons value) {
  if (borderIcons_ == value) return;
  borderIcons_ = value;
  RecreateWnd();
}

void TCustomForm::SetPixelsPerInch(int value) {
  if (value == pixelsPerInch_ || (value != 0 && value < 36)) return;
  if (IsLoading() && pixelsPerInch_ == 0) return;
  pixelsPerInch_ = value;
}

void TCustomForm::SetFormClientWidth(int value) {
  if (IsReading()) {
    storedClientWidth_ = value;
    scalingFlags_.Include(TScalingFlag::sfWidth);
    return;
  }
  SetClientWidth(value);
}

void TCustomForm::SetFormClientHeight(int value) {
  if (IsReading()) {
    storedClientHeight_ = value;
    scalingFlags_.Include(TScalingFlag::sfHeight);
    return;
  }
  SetClientHeight(value);
}

RECT TCustomForm::ClientRect() const {
  // A top-level window can always be made; its frame decides the client area.
  if (!HandleAllocated() && !IsDestroying()) const_cast<TCustomForm*>(this)->HandleNeeded();
  return TWinControl::ClientRect();
}

int TCustomForm::MeasureTextHeight() {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font()->Handle());
  SIZE size{0, 0};
  GetTextExtentPoint32A(dc, "0", 1, &size);
  SelectObject(dc, old);
  DeleteDC(dc);
  return size.cy;
}

void TCustomForm::LoadState(TReader& reader) {
  storedClientWidth_ = 0;
  storedClientHeight_ = 0;
  textHeight_ = 0;
  oldCreateOrder_ = true;
  TWinControl::LoadState(reader);
  bool scaled = false;
  if (pixelsPerInch_ != 0 && textHeight_ > 0) {
    int screen = ScreenLogPixels();
    if (scalingFlags_.Contains(TScalingFlag::sfFont) && pixelsPerInch_ != screen) {
      Font()->SetHeight(MulDiv(Font()->Height(), screen, pixelsPerInch_));
    }
    pixelsPerInch_ = screen;
    int measured = MeasureTextHeight();
    if (measured != textHeight_) {
      scaled = true;
      for (int i = 0; i < ControlCount(); ++i) Controls(i)->ChangeScale(measured, textHeight_);
      if (scalingFlags_.Contains(TScalingFlag::sfWidth)) {
        storedClientWidth_ = MulDiv(storedClientWidth_, measured, textHeight_);
      }
      if (scalingFlags_.Contains(TScalingFlag::sfHeight)) {
        storedClientHeight_ = MulDiv(storedClientHeight_, measured, textHeight_);
      }
    }
  }
  if (storedClientWidth_ > 0) SetClientWidth(storedClientWidth_);
  if (storedClientHeight_ > 0) SetClientHeight(storedClientHeight_);
  scalingFlags_ = {};
  if (!scaled) {
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->ChangeScale(1, 1);
  }
}

void TCustomForm::DeclareStoredProperties(TReader& reader) {
  TWinControl::DeclareStoredProperties(reader);
  reader.DeclareProperty("TextHeight", [this](TReader& r) { textHeight_ = r.ReadInteger(); });
  reader.DeclareProperty("IgnoreFontProperty", [this](TReader& r) {
    if (r.ReadBoolean()) SetParentFont(true);
  });
}

void TCustomForm::AfterLoading() {
  TWinControl::AfterLoading();
  // The stored active control gets the focus only if it can take it now.
  if (TWinControl* control = activeControl_) {
    activeControl_ = nullptr;
    if (control->IsFocusable()) SetActiveControl(control);
  }
}

void TCustomForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.Style &= ~(WS_CHILD | WS_GROUP | WS_TABSTOP);
  FormHost* host = CurrentFormHost();
  params.WndParent = host ? host->ApplicationWindow() : nullptr;
  params.WindowClass.style |= CS_DBLCLKS;
  switch (borderStyle_) {
    case TFormBorderStyle::bsNone:
      params.Style |= WS_POPUP;
      break;
    case TFormBorderStyle::bsSingle:
    case TFormBorderStyle::bsToolWindow:
      params.Style |= WS_CAPTION | WS_BORDER;
      break;
    case TFormBorderStyle::bsSizeable:
    case TFormBorderStyle::bsSizeToolWin:
      params.Style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case TFormBorderStyle::bsDialog:
      params.Style |= WS_POPUP | WS_CAPTION;
      params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
  }
  if (borderStyle_ != TFormBorderStyle::bsNone && borderStyle_ != TFormBorderStyle::bsDialog) {
    if (borderIcons_.Contains(TBorderIcon::biSystemMenu)) params.Style |= WS_SYSMENU;
    if (borderIcons_.Contains(TBorderIcon::biMinimize)) params.Style |= WS_MINIMIZEBOX;
    if (borderIcons_.Contains(TBorderIcon::biMaximize)) params.Style |= WS_MAXIMIZEBOX;
  } else if (borderStyle_ == TFormBorderStyle::bsDialog &&
             borderIcons_.Contains(TBorderIcon::biSystemMenu)) {
    params.Style |= WS_SYSMENU;
  }
  if (borderStyle_ == TFormBorderStyle::bsToolWindow ||
      borderStyle_ == TFormBorderStyle::bsSizeToolWin) {
    params.ExStyle |= WS_EX_TOOLWINDOW;
  }
  if (windowState_ == TWindowState::wsMinimized) params.Style |= WS_MINIMIZE;
  if (windowState_ == TWindowState::wsMaximized) params.Style |= WS_MAXIMIZE;
}

TCustomForm* GetParentForm(const TControl* control) {
  while (control && control->Parent()) control = control->Parent();
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(control));
}

namespace {

constexpr const char* kFormBorderStyleNames[] = {"bsNone",   "bsSingle",     "bsSizeable",
                                                 "bsDialog", "bsToolWindow", "bsSizeToolWin"};
constexpr const char* kPositionNames[] = {
    "poDesigned",     "poDefault",       "poDefaultPosOnly", "poDefaultSizeOnly",
    "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"};

[[maybe_unused]] const auto kTCustomForm =
    RegisterClass<TCustomForm, TWinControl>("TCustomForm")
        .Property("Caption", &TCustomForm::Caption, &TCustomForm::SetCaption)
        .Enum("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle,
              kFormBorderStyleNames)
        .Set("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons,
             {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"})
        .Enum("Position", &TCustomForm::Position, &TCustomForm::SetPosition, kPositionNames)
        .Enum("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState,
              {"wsNormal", "wsMinimized", "wsMaximized"})
        .Property("OldCreateOrder", &TCustomForm::OldCreateOrder, &TCustomForm::SetOldCreateOrder)
        .Property("PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch)
        .Property("ClientWidth", &TCustomForm::FormClientWidth, &TCustomForm::SetFormClientWidth)
        .Property("ClientHeight", &TCustomForm::FormClientHeight, &TCustomForm::SetFormClientHeight)
        .Property("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl)
        .Property("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview)
        .Event("OnCreate", &TCustomForm::OnCreate)
        .Event("OnDestroy", &TCustomForm::OnDestroy)
        .Event("OnShow", &TCustomForm::OnShow)
        .Event("OnHide", &TCustomForm::OnHide)
        .Event("OnActivate", &TCustomForm::OnActivate)
        .Event("OnDeactivate", &TCustomForm::OnDeactivate)
        .Event("OnClose", &TCustomForm::OnClose)
        .Event("OnCloseQuery", &TCustomForm::OnCloseQuery);

[[maybe_unused]] const auto kTForm = RegisterClass<TForm, TCustomForm>("TForm");

}  // namespace
