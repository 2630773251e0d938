// COM initialisation state, kept per thread as the original keeps it per apartment.
#include "platform/com.h"

namespace platform {
namespace {

thread_local int initCount = 0;
thread_local DWORD threadModel = 0;

}  // namespace

HRESULT CoInitialize(void* reserved) {
  return CoInitializeEx(reserved, COINIT_APARTMENTTHREADED);
}

HRESULT CoInitializeEx(void* reserved, DWORD coInit) {
  if (reserved || (coInit & ~DWORD(0xE))) return E_INVALIDARG;
  DWORD model = coInit & COINIT_APARTMENTTHREADED;
  if (initCount == 0) {
    threadModel = model;
    initCount = 1;
    return S_OK;
  }
  if (model != threadModel) return RPC_E_CHANGED_MODE;
  ++initCount;
  return S_FALSE;
}

void CoUninitialize() {
  if (initCount > 0) --initCount;
}

int CoInitializeCount() {
  return initCount;
}

}  // namespace platform
