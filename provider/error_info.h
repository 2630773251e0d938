// The error object of the calling thread: the description and source of the last failed call,
// read the way a caller reads IErrorInfo after a failure code.
#pragma once

#include <optional>
#include <string>

#include "provider/hresult.h"
#include "provider/status.h"

namespace provider {

struct ErrorInfo {
  HRESULT code = S_OK;
  std::u16string description;
  std::u16string source;  // "ADODB.Recordset", "Microsoft JET Database Engine", …
};

// Replaces the thread's error object.
void SetErrorInfo(ErrorInfo info);
// Drops the thread's error object, so a failure that sets none is not read with an older one's.
void ClearErrorInfo();
// Takes the thread's error object, leaving none (a second call returns nothing).
std::optional<ErrorInfo> GetErrorInfo();

// Records `code` with its description (UTF-8) and source and returns the code, so a failing
// call ends with `return Fail(...)`.
HRESULT Fail(HRESULT code, const std::string& description, const std::string& source);
// The same for an engine status (E_FAIL, as Jet reports its errors), its description (below)
// becoming the error's.
HRESULT Fail(const Status& status, const std::string& source);
// What a caller reads of a status: the message, followed for corruption by where it was found,
// since a damaged file is only mended by someone who knows where to look.
std::string Describe(const Status& status);

// Sources of errors as a Jet user sees them.
inline const std::string kJetSource = "Microsoft JET Database Engine";
inline const std::string kConnectionSource = "ADODB.Connection";
inline const std::string kCommandSource = "ADODB.Command";
inline const std::string kRecordsetSource = "ADODB.Recordset";
inline const std::string kFieldSource = "ADODB.Field";

}  // namespace provider
