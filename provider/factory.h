// Creating the ADO-shaped objects by class id.
#pragma once

#include <memory>

#include "provider/guid.h"
#include "provider/hresult.h"
#include "provider/unknown.h"

namespace provider {

// Creates a Connection, Command or Recordset for CLSID_Connection, CLSID_Command or
// CLSID_Recordset. Any other class id fails with REGDB_E_CLASSNOTREG and leaves *object null;
// like the system's call, it describes nothing, and it clears the thread's error object so that
// an older description is not read as this failure's.
HRESULT CoCreateInstance(const CLSID& clsid, std::shared_ptr<Unknown>* object);

}  // namespace provider
