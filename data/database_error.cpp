// EDatabaseError construction.
#include "data/database_error.h"

#include "core/component.h"

AnsiString DatabaseErrorMessage(const AnsiString& message, const TComponent* component) {
  if (component == nullptr || component->Name().empty()) return message;
  return Format("%s: %s", component->Name().c_str(), message.c_str());
}

void DatabaseError(const AnsiString& message, const TComponent* component) {
  throw EDatabaseError(DatabaseErrorMessage(message, component));
}
