// The data-aware memo: showing the field's value, loading blob text, the edit cycle and focus.
#include "dbcontrols/db_memo.h"

#include "core/classes.h"
#include "core/exceptions.h"
#include "core/stream.h"
#include "data/dataset.h"
#include "data/datasource.h"
#include "data/field.h"
#include "platform/locale.h"

using namespace platform;

namespace {

constexpr char kCtrlV = 22;
constexpr char kCtrlX = 24;

// The text with every line break (CR LF, a lone CR or a lone LF) written as CR LF, the edit
// control's line break.
AnsiString WithCrLf(const AnsiString& text) {
  AnsiString result;
  result.reserve(text.size() + text.size() / 32);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      result += "\r\n";
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      result += c;
    }
  }
  return result;
}

}  // namespace

TDBMemo::TDBMemo(TComponent* owner)
    : TCustomMemo(owner), link_(std::make_unique<TFieldDataLink>()) {
  link_->SetOwnerControl(this);
  link_->DataChangeHandler = [this] { ShowFieldValue(); };
  link_->EditingChangeHandler = [this] { SyncReadOnly(); };
  link_->UpdateDataHandler = [this] { StoreText(); };
  TCustomEdit::SetReadOnly(true);
}

TDBMemo::~TDBMemo() {
  link_->DataChangeHandler = nullptr;
  link_->EditingChangeHandler = nullptr;
  link_->UpdateDataHandler = nullptr;
  link_->AttachToSource(nullptr);
}

TDataSource* TDBMemo::DataSource() const { return link_->Source(); }

void TDBMemo::SetDataSource(TDataSource* value) {
  if (link_->SourceFixed() && IsLoading()) return;
  link_->ChangeSource(value);
}

void TDBMemo::ComponentNotice(TComponent* component, TOperation operation) {
  TCustomMemo::ComponentNotice(component, operation);
  if (operation == TOperation::opRemove && component == link_->Source()) SetDataSource(nullptr);
}

bool TDBMemo::IsBlobField() const { return link_->BoundField() && link_->BoundField()->IsBlob(); }

bool TDBMemo::UseRightToLeftAlignment() const {
  return DataAwareRightToLeftAlignment(this, link_->BoundField());
}

void TDBMemo::ShowFieldValue() {
  TField* field = link_->BoundField();
  if (field && field->IsBlob()) {
    if (autoDisplay_ || (link_->InEditMode() && textLoaded_)) {
      textLoaded_ = false;
      LoadFullText();
    } else {
      SetText(Format("(%s)", field->ShownName().c_str()));
      textLoaded_ = false;
      SyncReadOnly();
    }
  } else if (field) {
    SetText(hasFocus_ && link_->CanModifyField() ? field->TextForEditing() : field->TextForDisplay());
    textLoaded_ = true;
  } else {
    SetText(ComponentState().Contains(TComponentStateFlag::csDesigning) ? Name() : AnsiString());
    textLoaded_ = false;
  }
  if (HandleAllocated()) RedrawWindow(Handle(), nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void TDBMemo::LoadFullText() {
  if (textLoaded_ || !IsBlobField()) return;
  try {
    // The whole text goes into the window at once: line by line, every line would lay out all
    // the lines before it again, and empty lines would be lost.
    SetText(WithCrLf(link_->BoundField()->StringValue()));
    textLoaded_ = true;
  } catch (const EInvalidOperation& e) {
    SetText(Format("(%s)", e.Message().c_str()));
  }
  SyncReadOnly();
}

void TDBMemo::SyncReadOnly() { TCustomEdit::SetReadOnly(!(link_->InEditMode() && textLoaded_)); }

void TDBMemo::StoreText() {
  TField* field = link_->BoundField();
  std::unique_ptr<TStream> stream = field->DataSet()->OpenBlobStream(field, TBlobStreamMode::bmWrite);
  AnsiString text = Text();
  stream->WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
}

void TDBMemo::Change() {
  if (textLoaded_) link_->MarkModified();
  textLoaded_ = true;
  TCustomMemo::Change();
}

void TDBMemo::SetAutoDisplay(bool value) {
  if (value == autoDisplay_) return;
  autoDisplay_ = value;
  if (value) LoadFullText();
}

void TDBMemo::CreateWnd() {
  TCustomMemo::CreateWnd();
  SyncReadOnly();
}

void TDBMemo::KeyDown(std::uint16_t& key, TShiftState shift) {
  TCustomMemo::KeyDown(key, shift);
  if (!textLoaded_) return;
  bool shiftInsert = key == VK_INSERT && shift.Contains(TShiftStateFlag::ssShift);
  if (key == VK_DELETE || shiftInsert) link_->BeginFieldEdit();
}

void TDBMemo::KeyPress(char& key) {
  TCustomMemo::KeyPress(key);
  auto code = static_cast<unsigned char>(key);
  if (!textLoaded_) {
    if (code == VK_RETURN) LoadFullText();
    key = 0;
    return;
  }
  switch (code) {
    case VK_BACK:
    case VK_TAB:
    case 10:
    case VK_RETURN:
    case static_cast<unsigned char>(kCtrlV):
    case static_cast<unsigned char>(kCtrlX):
      link_->BeginFieldEdit();
      break;
    case VK_ESCAPE:
      link_->RevertDisplay();
      break;
    default:
      if (code >= 32) link_->BeginFieldEdit();
      break;
  }
}

void TDBMemo::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_CUT:
    case WM_PASTE:
    case WM_UNDO:
      link_->BeginFieldEdit();
      break;
    case WM_LBUTTONDBLCLK:
      if (!textLoaded_) {
        LoadFullText();
        return;
      }
      break;
    default:
      break;
  }
  TCustomMemo::WndProc(message);
}

void TDBMemo::DoEnter() {
  SetHasFocus(true);
  TCustomMemo::DoEnter();
  // Far-East input methods type before the edit starts, so the window opens for them at once.
  if (SysLocale().farEast && link_->CanModifyField()) TCustomEdit::SetReadOnly(false);
}

void TDBMemo::DoExit() {
  try {
    link_->StoreControlValues();
  } catch (...) {
    TakeFocus();
    throw;
  }
  SetHasFocus(false);
  TCustomMemo::DoExit();
}

void TDBMemo::SetHasFocus(bool value) {
  if (value == hasFocus_) return;
  hasFocus_ = value;
  if (!IsBlobField()) link_->RevertDisplay();
}

namespace {

[[maybe_unused]] const auto kTDBMemo =
    RegisterClass<TDBMemo, TCustomMemo>("TDBMemo")
        .Property("DataField", &TDBMemo::DataField, &TDBMemo::SetDataField)
        .Property("DataSource", &TDBMemo::DataSource, &TDBMemo::SetDataSource)
        .Property("ReadOnly", &TDBMemo::ReadOnly, &TDBMemo::SetReadOnly)
        .Property("AutoDisplay", &TDBMemo::AutoDisplay, &TDBMemo::SetAutoDisplay);

}  // namespace
