// The table of system window classes.
#include "platform/system_classes.h"

#include "platform/button.h"
#include "platform/combobox.h"
#include "platform/dialog.h"
#include "platform/listbox.h"
#include "platform/static_control.h"
#include "platform/window_system.h"

namespace platform {
namespace {

struct SystemClass {
  const char* name;  // as GetClassNameA reports it
  UINT style;
  WNDPROC proc;
  LPCSTR cursor;
};

const SystemClass kSystemClasses[] = {
    {"EDIT", CS_DBLCLKS | CS_PARENTDC | CS_GLOBALCLASS, EditWindowProc, IDC_IBEAM},
    {"Button", CS_DBLCLKS | CS_PARENTDC | CS_GLOBALCLASS, ButtonProc, IDC_ARROW},
    {"Static", CS_DBLCLKS | CS_PARENTDC | CS_GLOBALCLASS, StaticProc, IDC_ARROW},
    {"ListBox", CS_DBLCLKS | CS_PARENTDC | CS_GLOBALCLASS, ListBoxProc, IDC_ARROW},
    {"ComboBox", CS_DBLCLKS | CS_PARENTDC | CS_GLOBALCLASS, ComboBoxProc, IDC_ARROW},
    {"#32770", CS_DBLCLKS | CS_GLOBALCLASS, DefDlgProcA, IDC_ARROW},
};

}  // namespace

bool EnsureSystemClass(std::string_view name) {
  WindowSystem& ws = WindowSystem::Get();
  std::string key = UpperCase(name);
  if (ws.classes.count(key)) return true;
  for (const SystemClass& c : kSystemClasses) {
    if (key != UpperCase(c.name)) continue;
    WNDCLASSA wc{};
    wc.style = c.style;
    wc.lpfnWndProc = c.proc;
    wc.hCursor = LoadCursorA(nullptr, c.cursor);
    wc.lpszClassName = c.name;
    return RegisterClassA(&wc) != 0;
  }
  return false;
}

}  // namespace platform
