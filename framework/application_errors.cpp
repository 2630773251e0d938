// The application's reports: exceptions that escape handlers, message boxes owned by the
// application window, and the last-chance report of the program block.
#include <cxxabi.h>
#include <dlfcn.h>

#include <cinttypes>
#include <cstdlib>
#include <typeinfo>

#include "core/exceptions.h"
#include "framework/application.h"
#include "framework/modal.h"
#include "platform/locale.h"
#include "platform/message_box.h"

using namespace platform;

namespace {

// The class name of an exception object as its type was declared ("EReadError").
AnsiString ClassNameOf(const std::type_info& type) {
  int status = 0;
  char* demangled = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
  AnsiString name = status == 0 && demangled ? demangled : type.name();
  std::free(demangled);
  return name;
}

struct ExceptionText {
  AnsiString className;
  AnsiString message;
  bool isException = false;
  bool isAbort = false;
};

// What the exception being handled says about itself.
ExceptionText CurrentExceptionText() {
  ExceptionText text;
  try {
    throw;
  } catch (const EAbort& e) {
    text = {ClassNameOf(typeid(e)), e.Message(), true, true};
  } catch (const Exception& e) {
    text = {ClassNameOf(typeid(e)), e.Message(), true, false};
  } catch (const std::exception& e) {
    text = {ClassNameOf(typeid(e)), e.what(), false, false};
  } catch (...) {
    text = {"Exception", "", false, false};
  }
  return text;
}

// "Exception %s in module %s at %p.\r\n%s%s\r\n", the address being where in the module the
// failing step was called from.
AnsiString ModuleReport(const ExceptionText& text, const void* where) {
  std::uintptr_t offset = reinterpret_cast<std::uintptr_t>(where);
  Dl_info info{};
  if (dladdr(where, &info) && info.dli_fbase) {
    offset -= reinterpret_cast<std::uintptr_t>(info.dli_fbase);
  }
  bool endsWithDot = !text.message.empty() && text.message.back() == '.';
  return Format("Exception %s in module %s at %08" PRIXPTR ".\r\n%s%s\r\n", text.className.c_str(),
                ProgramFileName().c_str(), offset, text.message.c_str(), endsWithDot ? "" : ".");
}

}  // namespace

void TApplication::HandleException(TObject* Sender, std::exception_ptr error) {
  if (!error) return;
  try {
    std::rethrow_exception(error);
  } catch (...) {
    ReportHandlerFailure(Sender);
  }
}

void TApplication::ReportHandlerFailure(TObject* sender) {
  if (!std::current_exception()) return;
  if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
  ExceptionText text = CurrentExceptionText();
  if (text.isAbort) return;
  try {
    throw;
  } catch (const Exception& e) {
    if (OnException) {
      OnException(sender, e);
    } else {
      ShowError(e);
    }
  } catch (...) {
    // Not one of the framework's exceptions: the runtime's own display, as at the last chance.
    MessageBoxA(nullptr, ModuleReport(text, __builtin_return_address(0)).c_str(),
                "Application Error", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
  }
}

void TApplication::ShowError(const Exception& error) {
  AnsiString message = error.Message();
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
  AppMessageBox(message, CurrentTitle(), MB_OK | MB_ICONSTOP);
}

int TApplication::AppMessageBox(const AnsiString& text, const AnsiString& caption, UINT flags) {
  TaskModalScope scope(handle_);
  if (bidiMode_ != TBiDiMode::bdLeftToRight && SysLocale().middleEast) flags |= MB_RTLREADING;
  return MessageBoxA(handle_, text.c_str(), caption.c_str(), flags);
}

int LastChanceReport() {
  if (!std::current_exception()) return 1;
  ExceptionText text = CurrentExceptionText();
  MessageBoxA(nullptr, ModuleReport(text, __builtin_return_address(0)).c_str(), "Application Error",
              MB_OK | MB_ICONSTOP | MB_TASKMODAL);
  return 1;
}
