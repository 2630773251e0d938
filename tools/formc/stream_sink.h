// The parts of a component stream as events, in stream order: what the decoder produces and
// what the tree builder and the printer consume, so a stream can be printed as it is read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "tools/formc/tree.h"

namespace formc {

// Receives one object record at a time, depth first:
//   BeginObject [position value] ObjectBody (BeginEntry value EndEntry)* child objects EndObject
// A value is either Scalar (every tag but list, set and collection, with its contents) or
//   BeginList value* EndList | BeginSet SetElement* EndSet |
//   BeginCollection (BeginItem (BeginEntry value EndEntry)* EndItem)* EndCollection
// `empty` says beforehand whether a list or collection has no items.
class StreamSink {
 public:
  virtual ~StreamSink() = default;

  virtual void BeginObject(std::optional<std::uint8_t> prefix, const std::string& className,
                           const std::string& name, bool hasPosition) = 0;
  virtual void ObjectBody() = 0;
  virtual void EndObject() = 0;
  virtual void BeginEntry(const std::string& name) = 0;
  virtual void EndEntry() = 0;
  virtual void Scalar(const Value& value) = 0;
  virtual void BeginList(bool empty) = 0;
  virtual void EndList() = 0;
  virtual void BeginSet() = 0;
  virtual void SetElement(const std::string& element) = 0;
  virtual void EndSet() = 0;
  virtual void BeginCollection(bool empty) = 0;
  virtual void BeginItem(const std::optional<Value>& order) = 0;
  virtual void EndItem() = 0;
  virtual void EndCollection() = 0;
};

// A sink that keeps nothing: decoding into it only checks a stream.
class CheckingSink : public StreamSink {
 public:
  void BeginObject(std::optional<std::uint8_t>, const std::string&, const std::string&,
                   bool) override {}
  void ObjectBody() override {}
  void EndObject() override {}
  void BeginEntry(const std::string&) override {}
  void EndEntry() override {}
  void Scalar(const Value&) override {}
  void BeginList(bool) override {}
  void EndList() override {}
  void BeginSet() override {}
  void SetElement(const std::string&) override {}
  void EndSet() override {}
  void BeginCollection(bool) override {}
  void BeginItem(const std::optional<Value>&) override {}
  void EndItem() override {}
  void EndCollection() override {}
};

// Sends a whole tree to `sink` as the decoder would have sent the stream it encodes to.
void Replay(const ObjectRecord& root, StreamSink& sink);

}  // namespace formc
