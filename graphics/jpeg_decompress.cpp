// The libjpeg glue: error manager, memory source and the decompression object.
#include "graphics/jpeg_decompress.h"

#include <cstddef>

#include <jerror.h>

#include "core/exceptions.h"

namespace {

// The library calls this for fatal errors and expects it not to return. The library is built
// with unwind tables, so the exception passes through its frames to the wrapper, which then
// destroys the object.
[[noreturn]] void ErrorExit(j_common_ptr info) {
  throw EJPEG(Format("JPEG error #%d", info->err->msg_code));
}

void OutputMessage(j_common_ptr) {}
void EmitMessage(j_common_ptr, int) {}
void FormatMessage(j_common_ptr, char* buffer) { buffer[0] = '\0'; }
void ResetErrorManager(j_common_ptr) {}

}  // namespace

JpegDecompressor::JpegDecompressor(TMemoryStream& data) {
  jpeg_std_error(&errors_);
  errors_.error_exit = ErrorExit;
  errors_.output_message = OutputMessage;
  errors_.emit_message = EmitMessage;
  errors_.format_message = FormatMessage;
  errors_.reset_error_mgr = ResetErrorManager;
  info_.err = &errors_;
  jpeg_CreateDecompress(&info_, JPEG_LIB_VERSION, sizeof info_);
  // Damaged headers (progressive scans of a huge image) cannot make the library take more.
  info_.mem->max_memory_to_use = kMaxLibraryMemory;

  data.SetPosition(0);
  source_.data = &data;
  source_.startOfFile = true;
  source_.manager.next_input_byte = nullptr;
  source_.manager.bytes_in_buffer = 0;
  source_.manager.init_source = InitSource;
  source_.manager.fill_input_buffer = FillInputBuffer;
  source_.manager.skip_input_data = SkipInputData;
  source_.manager.resync_to_restart = jpeg_resync_to_restart;
  source_.manager.term_source = TermSource;
  info_.src = &source_.manager;
}

JpegDecompressor::~JpegDecompressor() { jpeg_destroy_decompress(&info_); }

void JpegDecompressor::SetProgress(std::function<void(jpeg_decompress_struct&)> progress) {
  onProgress_ = std::move(progress);
  progress_.manager.progress_monitor = ProgressHook;
  progress_.manager.pass_counter = 0;
  progress_.manager.pass_limit = 0;
  progress_.manager.completed_passes = 0;
  progress_.manager.total_passes = 0;
  progress_.owner = this;
  info_.progress = &progress_.manager;
}

void JpegDecompressor::ProgressHook(j_common_ptr info) {
  auto* progress = reinterpret_cast<Progress*>(info->progress);
  JpegDecompressor* self = progress->owner;
  if (self->onProgress_) self->onProgress_(self->info_);
}

void JpegDecompressor::InitSource(j_decompress_ptr info) {
  reinterpret_cast<Source*>(info->src)->startOfFile = true;
}

boolean JpegDecompressor::FillInputBuffer(j_decompress_ptr info) {
  auto* source = reinterpret_cast<Source*>(info->src);
  std::int64_t count = source->data->Read(source->buffer, sizeof source->buffer);
  if (count <= 0) {
    if (source->startOfFile) ERREXIT(info, JERR_INPUT_EMPTY);
    WARNMS(info, JWRN_JPEG_EOF);
    source->buffer[0] = 0xFF;
    source->buffer[1] = JPEG_EOI;
    count = 2;
  }
  source->manager.next_input_byte = source->buffer;
  source->manager.bytes_in_buffer = static_cast<std::size_t>(count);
  source->startOfFile = false;
  return TRUE;
}

void JpegDecompressor::SkipInputData(j_decompress_ptr info, long count) {
  if (count <= 0) return;
  auto* source = reinterpret_cast<Source*>(info->src);
  while (count > static_cast<long>(source->manager.bytes_in_buffer)) {
    count -= static_cast<long>(source->manager.bytes_in_buffer);
    FillInputBuffer(info);
  }
  source->manager.next_input_byte += count;
  source->manager.bytes_in_buffer -= static_cast<std::size_t>(count);
}

void JpegDecompressor::TermSource(j_decompress_ptr) {}
