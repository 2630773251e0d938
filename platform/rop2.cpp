// Setting and reading a device context's mix mode.
#include "platform/rop2.h"

#include "platform/dc_state.h"

namespace platform {

int SetROP2(HDC dc, int mode) {
  gdi::DeviceContext* context = gdi::DC(dc);
  if (context == nullptr || mode < R2_BLACK || mode > R2_WHITE) return 0;
  int old = context->Attributes().rop2;
  context->Attributes().rop2 = mode;
  return old;
}

int GetROP2(HDC dc) {
  gdi::DeviceContext* context = gdi::DC(dc);
  return context != nullptr ? context->Attributes().rop2 : 0;
}

}  // namespace platform
