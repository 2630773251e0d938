// Turning the provider's result codes into exceptions, as a caller of the ADO objects sees them.
#pragma once

#include <memory>

#include "provider/guid.h"
#include "provider/hresult.h"
#include "provider/unknown.h"

// Raises EOleException for a failure code; success codes return. The message is the thread's
// error description with trailing spaces, control characters and full stops cut, else the
// system's text for the code, else "OLE error %.8x".
void OleCheck(provider::HRESULT result);

// Creates an ADO object by class id. A class that is not registered raises the plain
// Exception that tells the user to install the data access components; any other failure
// raises EOleSysError.
std::shared_ptr<provider::Unknown> CreateADOObject(const provider::CLSID& clsid);

// CreateADOObject followed by the query for the interface the caller uses.
template <typename T>
std::shared_ptr<T> CreateADOObjectAs(const provider::CLSID& clsid) {
  auto object = provider::QueryInterface<T>(CreateADOObject(clsid));
  if (!object) OleCheck(provider::E_NOINTERFACE);
  return object;
}
