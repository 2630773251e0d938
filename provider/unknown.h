// The root of the ADO-shaped objects and the way a caller asks one for an interface.
#pragma once

#include <memory>

namespace provider {

// Objects are shared: a command holds its active connection and a recordset the command it was
// opened from, each through std::shared_ptr, so a connection lives as long as anything uses it.
// No reference counting of our own: shared_ptr is the count. Objects a collection hands out
// (fields, properties) are owned by their collection and handed out as raw pointers.
class Unknown {
 public:
  Unknown() = default;
  Unknown(const Unknown&) = delete;
  Unknown& operator=(const Unknown&) = delete;
  virtual ~Unknown() = default;
};

// The stand-in for QueryInterface: the object as `T`, or null when it is not one.
template <typename T>
std::shared_ptr<T> QueryInterface(const std::shared_ptr<Unknown>& object) {
  return std::dynamic_pointer_cast<T>(object);
}

}  // namespace provider
