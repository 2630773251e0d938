// The predefined window classes, registered on first use.
#include <string_view>

#include "platform/button.h"
#include "platform/combobox.h"
#include "platform/dialog.h"
#include "platform/edit_control.h"
#include "platform/listbox.h"
#include "platform/static_control.h"
#include "platform/window_system.h"

namespace platform {
namespace {

struct SystemClass {
  const char* name;
  WNDPROC proc;
  UINT style;
  WORD cursor;
};

constexpr WORD kArrow = 32512;
constexpr WORD kIBeam = 32513;

const SystemClass kSystemClasses[] = {
    {"Button", ButtonProc, CS_DBLCLKS | CS_PARENTDC, kArrow},
    {"Static", StaticProc, CS_DBLCLKS | CS_PARENTDC, kArrow},
    {"#32770", DefDlgProcA, CS_DBLCLKS, kArrow},
    {"Edit", EditProc, CS_DBLCLKS | CS_PARENTDC, kIBeam},
    {"ListBox", ListBoxProc, CS_DBLCLKS | CS_PARENTDC, kArrow},
    {"ComboBox", ComboBoxProc, CS_DBLCLKS | CS_PARENTDC, kArrow},
};

}  // namespace

bool RegisterSystemClass(std::string_view upperName) {
  for (const SystemClass& c : kSystemClasses) {
    if (upperName != UpperCase(c.name)) continue;
    WNDCLASSA wc{};
    wc.style = c.style | CS_GLOBALCLASS;
    wc.lpfnWndProc = c.proc;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(c.cursor));
    wc.lpszClassName = c.name;
    return RegisterClassA(&wc) != 0;
  }
  return false;
}

}  // namespace platform
