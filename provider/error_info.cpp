// The thread's error object and the helpers that fill it.
#include "provider/error_info.h"

#include <utility>

#include "platform/codepage.h"

namespace provider {

namespace {

thread_local std::optional<ErrorInfo> current;

}  // namespace

void SetErrorInfo(ErrorInfo info) {
  current = std::move(info);
}

void ClearErrorInfo() {
  current.reset();
}

std::optional<ErrorInfo> GetErrorInfo() {
  return std::exchange(current, std::nullopt);
}

HRESULT Fail(HRESULT code, const std::string& description, const std::string& source) {
  SetErrorInfo(ErrorInfo{code, platform::Utf8ToWide(description), platform::Utf8ToWide(source)});
  return code;
}

HRESULT Fail(const Status& status, const std::string& source) {
  return Fail(E_FAIL, Describe(status), source);
}

std::string Describe(const Status& status) {
  return status.kind() == StatusKind::corruption ? status.ToString() : status.message();
}

}  // namespace provider
