// The state entries of controls: placement, visibility, font and colour, each captioned
// class's caption, the text and selection of edits and the check of radio buttons.
#include "app/shot/component_state.h"
#include "controls/button.h"
#include "controls/control.h"
#include "controls/edit.h"
#include "controls/groupbox.h"
#include "controls/image.h"
#include "controls/label.h"
#include "controls/panel.h"
#include "controls/radio_button.h"
#include "controls/speed_button.h"
#include "controls/wincontrol.h"
#include "graphics/font.h"

namespace shot {

Json FontEntry(const TFont& font) {
  Json entry = Json::MakeObject();
  entry.Set("name", Utf8(font.Name()));
  entry.Set("height", font.Height());
  entry.Set("size", font.Size());
  entry.Set("color", font.Color());
  entry.Set("charset", font.Charset());
  Json style = Json::MakeArray();
  static constexpr std::pair<TFontStyle, const char*> kStyles[] = {
      {TFontStyle::fsBold, "fsBold"},
      {TFontStyle::fsItalic, "fsItalic"},
      {TFontStyle::fsUnderline, "fsUnderline"},
      {TFontStyle::fsStrikeOut, "fsStrikeOut"},
  };
  for (const auto& [flag, name] : kStyles) {
    if (font.Style().Contains(flag)) style.Push(name);
  }
  entry.Set("style", style);
  return entry;
}

namespace {

// It and every parent visible: what a person could see if nothing lay over it.
bool Showing(const TControl& control) {
  for (const TControl* c = &control; c; c = c->Parent()) {
    if (!c->Visible()) return false;
  }
  return true;
}

void ControlEntries(TControl& control, Json& entry) {
  entry.Set("parent", control.Parent() ? Json(Utf8(control.Parent()->Name())) : Json());
  entry.Set("visible", control.Visible());
  entry.Set("showing", Showing(control));
  entry.Set("enabled", control.Enabled());
  entry.Set("bounds",
            Json::MakeArray({control.Left(), control.Top(), control.Width(), control.Height()}));
  if (control.Font()) entry.Set("font", FontEntry(*control.Font()));
  entry.Set("color", control.Color());
  entry.Set("cursor", control.Cursor());
}

void WinControlEntries(TWinControl& control, Json& entry) {
  entry.Set("tabOrder", control.TabOrder());
}

void CaptionEntry(TControl& control, Json& entry) {
  entry.Set("caption", Utf8(control.Caption()));
}

// Positions count bytes of the single-byte text, as the program's handlers see them. A control
// without a window has nothing selected; asking would make its window.
void EditEntries(TCustomEdit& edit, Json& entry) {
  entry.Set("text", Utf8(edit.Text()));
  entry.Set("selStart", edit.HandleAllocated() ? edit.SelStart() : 0);
  entry.Set("selLength", edit.HandleAllocated() ? edit.SelLength() : 0);
}

}  // namespace

void AddControlEntries(StateRegistry& registry) {
  registry.Add<TControl>(ControlEntries);
  registry.Add<TWinControl>(WinControlEntries);
  registry.Add<TLabel>(CaptionEntry);
  registry.Add<TSpeedButton>(CaptionEntry);
  registry.Add<TPanel>(CaptionEntry);
  registry.Add<TGroupBox>(CaptionEntry);
  registry.Add<TButton>(CaptionEntry);
  registry.Add<TCustomEdit>(EditEntries);
  registry.Add<TRadioButton>([](TRadioButton& radio, Json& entry) {
    entry.Set("caption", Utf8(radio.Caption()));
    entry.Set("checked", radio.Checked());
  });
  registry.Add<TImage>([](TImage& image, Json& entry) {
    entry.Set("left", image.Left());
    entry.Set("top", image.Top());
  });
}

}  // namespace shot
