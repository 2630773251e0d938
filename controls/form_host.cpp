// The installed form host.
#include "controls/form_host.h"

namespace {
FormHost* installed = nullptr;
}  // namespace

FormHost* SetFormHost(FormHost* host) {
  FormHost* previous = installed;
  installed = host;
  return previous;
}

FormHost* CurrentFormHost() {
  return installed;
}
