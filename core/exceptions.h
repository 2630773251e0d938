// The exception family: every failure of the framework is one of these, with its exact message.
#pragma once

#include <cstdint>
#include <exception>

#include "core/sysutils.h"

class Exception : public std::exception {
 public:
  explicit Exception(AnsiString message) : message_(std::move(message)) {}

  const AnsiString& Message() const { return message_; }
  void SetMessage(AnsiString message) { message_ = std::move(message); }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  AnsiString message_;
};

// Declares an exception class that only adds a place in the hierarchy.
#define VELMORA_EXCEPTION(Name, Base) \
  class Name : public Base {          \
   public:                            \
    using Base::Base;                 \
  }

// The silent exception: reports ignore it.
VELMORA_EXCEPTION(EAbort, Exception);
VELMORA_EXCEPTION(EDatabaseError, Exception);
VELMORA_EXCEPTION(EADOError, EDatabaseError);
VELMORA_EXCEPTION(EStreamError, Exception);
VELMORA_EXCEPTION(EFilerError, EStreamError);
// A component stream that cannot be read. The message is the one a user reads; the offset is
// where in the stream reading went wrong, for whoever mends the stream.
class EReadError : public EFilerError {
 public:
  explicit EReadError(AnsiString message, std::int64_t offset = -1)
      : EFilerError(std::move(message)), offset_(offset) {}
  // Bytes from the start of the stream to the place of the error; -1 when the error is not
  // about a place in the stream (a reference resolved after reading).
  std::int64_t Offset() const { return offset_; }

 private:
  std::int64_t offset_;
};
VELMORA_EXCEPTION(EClassNotFound, EFilerError);
VELMORA_EXCEPTION(EResNotFound, Exception);
VELMORA_EXCEPTION(EComponentError, Exception);
VELMORA_EXCEPTION(EInvalidOperation, Exception);
VELMORA_EXCEPTION(EInvalidGridOperation, Exception);
VELMORA_EXCEPTION(EInvalidGraphic, Exception);
VELMORA_EXCEPTION(EJPEG, EInvalidGraphic);
VELMORA_EXCEPTION(EInvalidGraphicOperation, Exception);
VELMORA_EXCEPTION(EOutOfResources, Exception);
VELMORA_EXCEPTION(EListError, Exception);

#undef VELMORA_EXCEPTION

// A failed system (COM) call: the message and the HRESULT it returned.
class EOleSysError : public Exception {
 public:
  EOleSysError(AnsiString message, std::int32_t errorCode)
      : Exception(std::move(message)), errorCode_(errorCode) {}
  std::int32_t ErrorCode() const { return errorCode_; }

 private:
  std::int32_t errorCode_;
};

// A failure reported by a COM object with its error information.
class EOleException : public EOleSysError {
 public:
  EOleException(AnsiString message, std::int32_t errorCode, AnsiString source, AnsiString helpFile,
                std::int32_t helpContext)
      : EOleSysError(std::move(message), errorCode),
        source_(std::move(source)),
        helpFile_(std::move(helpFile)),
        helpContext_(helpContext) {}
  const AnsiString& Source() const { return source_; }
  const AnsiString& HelpFile() const { return helpFile_; }
  std::int32_t HelpContext() const { return helpContext_; }

 private:
  AnsiString source_;
  AnsiString helpFile_;
  std::int32_t helpContext_;
};
