// Result codes into exceptions.
#include "data/olecheck.h"

#include <string_view>

#include "core/exceptions.h"
#include "core/sysutils.h"
#include "platform/codepage.h"
#include "provider/error_info.h"
#include "provider/factory.h"

namespace {

using provider::HRESULT;

// The system's texts for the codes the provider can return without a description.
const char* SystemMessage(HRESULT code) {
  switch (code) {
    case provider::E_FAIL:
      return "Unspecified error";
    case provider::E_NOINTERFACE:
      return "No such interface supported";
    case provider::E_POINTER:
      return "Invalid pointer";
    case provider::REGDB_E_CLASSNOTREG:
      return "Class not registered";
    default:
      return nullptr;
  }
}

AnsiString TrimDescription(AnsiString text) {
  while (!text.empty()) {
    unsigned char last = static_cast<unsigned char>(text.back());
    if (last > ' ' && last != '.') break;
    text.pop_back();
  }
  return text;
}

AnsiString MessageFor(HRESULT code, const AnsiString& description) {
  if (AnsiString trimmed = TrimDescription(description); !trimmed.empty()) return trimmed;
  if (const char* text = SystemMessage(code)) return text;
  return Format("OLE error %.8x", static_cast<unsigned>(code));
}

}  // namespace

void OleCheck(HRESULT result) {
  if (provider::SUCCEEDED(result)) return;
  AnsiString description;
  AnsiString source;
  if (auto info = provider::GetErrorInfo()) {
    description = platform::WideToAnsi(info->description);
    source = platform::WideToAnsi(info->source);
  }
  throw EOleException(MessageFor(result, description), result, source, "", 0);
}

std::shared_ptr<provider::Unknown> CreateADOObject(const provider::CLSID& clsid) {
  std::shared_ptr<provider::Unknown> object;
  HRESULT result = provider::CoCreateInstance(clsid, &object);
  if (result == provider::REGDB_E_CLASSNOTREG) {
    throw Exception(
        "Error creating object.  Please verify that the Microsoft Data Access Components 2.1 "
        "(or later) have been properly installed");
  }
  if (provider::FAILED(result)) throw EOleSysError(MessageFor(result, ""), result);
  return object;
}
