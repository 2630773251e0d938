// The binary component stream: decoding into the generic tree and encoding it back.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

#include "tools/formc/stream_sink.h"
#include "tools/formc/tree.h"

namespace formc {

// A malformed stream: what is wrong and the byte offset where it was found.
class StreamError : public std::runtime_error {
 public:
  StreamError(std::size_t offset, const std::string& what)
      : std::runtime_error("offset " + std::to_string(offset) + ": " + what), offset_(offset) {}
  std::size_t offset() const { return offset_; }

 private:
  std::size_t offset_;
};

// Raises a StreamError unless `start` (the first bytes of a stream, all of it when shorter) begins
// with the signature "TPF0".
void CheckSignature(std::string_view start);

// Decodes a whole stream: the signature, one root object record and nothing after it. Every
// length is checked against the bytes left and nesting is bounded by kMaxDepth, so any input
// gives either a tree or a StreamError.
ObjectRecord DecodeStream(std::string_view stream);
// The same, sending the parts to `sink` as they are read (memory bounded by the nesting, not by
// the stream). A StreamError may come after part of the stream was sent.
void DecodeStream(std::string_view stream, StreamSink& sink);

// Encodes a tree as a stream. A tree that no stream can represent (a name longer than 255
// bytes, an empty property name or set element, an end tag inside a list, a non-integer order
// value, a class name that would read as a prefix or an end byte) raises std::invalid_argument.
std::string EncodeStream(const ObjectRecord& root);

}  // namespace formc
