// Raising EDatabaseError the way every data-access class does: with the component's name in
// front of the message when it has one.
#pragma once

#include "core/exceptions.h"
#include "core/sysutils.h"

class TComponent;

// "%s: %s" with the component's name, or the message alone when there is no component or it
// has no name.
AnsiString DatabaseErrorMessage(const AnsiString& message, const TComponent* component);

[[noreturn]] void DatabaseError(const AnsiString& message, const TComponent* component = nullptr);
