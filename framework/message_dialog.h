// The message dialog: a modal form with an icon, a word-wrapped message and a row of buttons,
// built on the fly for one question and freed after it.
#pragma once

#include <memory>

#include "controls/form.h"
#include "core/sets.h"

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum class TMsgDlgBtn {
  mbYes,
  mbNo,
  mbOK,
  mbCancel,
  mbAbort,
  mbRetry,
  mbIgnore,
  mbAll,
  mbNoToAll,
  mbYesToAll,
  mbHelp
};
using TMsgDlgButtons = SetOf<TMsgDlgBtn>;

// The form of a message dialog. Its caption is "Warning", "Error", "Information" or "Confirm"
// by type (the application's title for mtCustom); it holds a 32 x 32 TImage "Image" with the
// type's system icon (none for mtCustom), a word-wrapping TLabel "Message", and one TButton a
// requested button, named "Yes", "No", "OK" ... in the order of TMsgDlgBtn, centred in a row
// at the bottom. The default button is OK, else Yes, else Retry; the cancel button is Cancel,
// else No, else OK. Everything is sized from the average character of the system's message
// font. Right to left, the icon and the message change sides.
//
// Ctrl+C beeps and copies the dialog as text: a line of 27 "-", the caption, the line, the
// message, the line, every button's caption without "&" followed by three blanks, and the
// line, each line ending in CR LF. Exception "Cannot open clipboard" when it cannot.
class TMessageForm : public TForm {
 public:
  explicit TMessageForm(TComponent* owner);

  // The dialog as Ctrl+C copies it.
  AnsiString ClipboardText() const;
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int value) { helpContext_ = value; }

 protected:
  void KeyDown(std::uint16_t& key, TShiftState shift) override;

 private:
  int helpContext_ = 0;
};

// Builds the dialog, owned by the application, with the application's bidi mode; the caller
// shows it and frees it.
std::unique_ptr<TMessageForm> CreateMessageDialog(const AnsiString& message, TMsgDlgType type,
                                                  TMsgDlgButtons buttons);

// Shows the dialog modally, centred on the screen, and returns the modal result of the button
// pressed (mrOk, mrCancel ...; mrCancel when the dialog is closed otherwise).
TModalResult RunMessageDialog(const AnsiString& message, TMsgDlgType type, TMsgDlgButtons buttons,
                              int helpContext);
