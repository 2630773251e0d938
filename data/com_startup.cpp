// The data layer's COM start-up and shutdown, registered with the application's start-up
// chain.
#include "data/com_startup.h"

#include "core/apphooks.h"
#include "platform/com.h"

int CoInitFlags = -1;

namespace {

bool needToUninitialize = false;

void StartCom() {
  platform::HRESULT result = CoInitFlags == -1
                                 ? platform::CoInitialize(nullptr)
                                 : platform::CoInitializeEx(nullptr, platform::DWORD(CoInitFlags));
  needToUninitialize = platform::SUCCEEDED(result);
}

void StopCom() {
  if (needToUninitialize) platform::CoUninitialize();
  needToUninitialize = false;
}

bool Register() {
  AddStartupStep(&StartCom);
  AddExitStep(&StopCom);
  return true;
}

}  // namespace

bool ComNeedsUninitialize() {
  return needToUninitialize;
}

const bool kComStartupRegistered = Register();
