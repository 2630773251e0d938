// COM initialisation bookkeeping per thread: the calls and results the data layer relies on.
#pragma once

#include "platform/windef.h"

namespace platform {

using HRESULT = LONG;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT RPC_E_CHANGED_MODE = static_cast<HRESULT>(0x80010106);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057);
constexpr DWORD COINIT_MULTITHREADED = 0x0;
constexpr DWORD COINIT_APARTMENTTHREADED = 0x2;

constexpr bool SUCCEEDED(HRESULT hr) {
  return hr >= 0;
}
constexpr bool FAILED(HRESULT hr) {
  return hr < 0;
}

// S_OK for the first initialisation of the thread, S_FALSE for a nested one of the same model
// (each needs its CoUninitialize), RPC_E_CHANGED_MODE for a different model.
HRESULT CoInitialize(void* reserved);
HRESULT CoInitializeEx(void* reserved, DWORD coInit);
void CoUninitialize();
// How many successful initialisations of this thread are still to be undone.
int CoInitializeCount();

}  // namespace platform
