// The class table of the provider's objects.
#include "provider/factory.h"

#include "provider/command.h"
#include "provider/connection.h"
#include "provider/error_info.h"
#include "provider/recordset.h"

namespace provider {

HRESULT CoCreateInstance(const CLSID& clsid, std::shared_ptr<Unknown>* object) {
  if (object == nullptr) return E_POINTER;
  object->reset();
  if (clsid == CLSID_Connection) {
    *object = std::make_shared<Connection>();
  } else if (clsid == CLSID_Command) {
    *object = std::make_shared<Command>();
  } else if (clsid == CLSID_Recordset) {
    *object = std::make_shared<Recordset>();
  } else {
    ClearErrorInfo();
    return REGDB_E_CLASSNOTREG;
  }
  return S_OK;
}

}  // namespace provider
