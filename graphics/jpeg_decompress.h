// The libjpeg glue: an error manager that raises EJPEG, a memory source over the compressed
// bytes, and a decompression object destroyed in every case.
#pragma once

#include <cstdio>
#include <functional>

#include "core/stream.h"

// After every header that declares the system's TRUE and FALSE: the library defines them as
// macros.
#include <jpeglib.h>

// Library message codes the wrapper relies on.
inline constexpr int kJpegInputEmpty = 42;     // no data at all
inline constexpr int kJpegPrematureEnd = 120;  // warning: the data stopped early
// What one decompression may allocate inside the library.
inline constexpr long kMaxLibraryMemory = 512L << 20;

// A decompression object reading the compressed bytes of `data` from its start, through a
// 4096-byte buffer. A fatal library error raises EJPEG "JPEG error #%d" with the library's
// message code; warnings are silent. When the bytes run out: at the very start, the input-
// empty error; later, the premature-end warning and a supplied end-of-image marker, so a
// truncated file decodes as far as it goes.
class JpegDecompressor {
 public:
  explicit JpegDecompressor(TMemoryStream& data);
  ~JpegDecompressor();
  JpegDecompressor(const JpegDecompressor&) = delete;
  JpegDecompressor& operator=(const JpegDecompressor&) = delete;

  jpeg_decompress_struct& Info() { return info_; }
  // Installs the progress hook; it is called by the library while it decodes.
  void SetProgress(std::function<void(jpeg_decompress_struct&)> progress);

 private:
  struct Source {
    jpeg_source_mgr manager;
    TMemoryStream* data;
    bool startOfFile;
    JOCTET buffer[4096];
  };
  struct Progress {
    jpeg_progress_mgr manager;
    JpegDecompressor* owner;
  };

  static void InitSource(j_decompress_ptr info);
  static boolean FillInputBuffer(j_decompress_ptr info);
  static void SkipInputData(j_decompress_ptr info, long count);
  static void TermSource(j_decompress_ptr info);
  static void ProgressHook(j_common_ptr info);

  jpeg_error_mgr errors_;
  jpeg_decompress_struct info_;
  Source source_;
  Progress progress_;
  std::function<void(jpeg_decompress_struct&)> onProgress_;
};
