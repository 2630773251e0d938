// Byte streams: the abstract stream, an in-memory stream and a read-only resource stream.
#pragma once

#include <cstdint>
#include <vector>

#include "core/object.h"
#include "platform/resource.h"

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
 public:
  // Read and Write return the number of bytes moved, which may be less than asked.
  virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
  virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

  std::int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
  void SetPosition(std::int64_t position) { Seek(position, TSeekOrigin::soBeginning); }
  std::int64_t Size();

  // Exact transfers: raise EReadError "Stream read error" / EStreamError "Stream write error".
  void ReadBuffer(void* buffer, std::int64_t count);
  void WriteBuffer(const void* buffer, std::int64_t count);
  // Copies count bytes from source (all of it from its start when count is 0).
  std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

// A stream over memory: either its own growable buffer or a fixed read-only block.
class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;

  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;

  const std::uint8_t* Memory() const { return data_; }
  void SetSize(std::int64_t size);
  void Clear();

 protected:
  // Serves a block owned by someone else; writes then fail.
  void SetPointer(const std::uint8_t* data, std::int64_t size);

 private:
  std::vector<std::uint8_t> own_;
  const std::uint8_t* data_ = nullptr;
  std::int64_t size_ = 0;
  std::int64_t position_ = 0;
  bool fixed_ = false;
};

// The bytes of an embedded resource, read in place.
class TResourceStream : public TMemoryStream {
 public:
  // Raises EResNotFound "Resource %s not found" when there is no such resource.
  TResourceStream(platform::HMODULE instance, const AnsiString& name, platform::LPCSTR type);

  // Always raises EStreamError "Can't write to a read-only resource stream".
  std::int64_t Write(const void* buffer, std::int64_t count) override;
};
