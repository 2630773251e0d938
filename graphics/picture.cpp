// TPicture: holds one graphic of any registered format and reads it back from stored data.
#include "graphics/picture.h"

#include <algorithm>

#include "core/classes.h"
#include "core/reader.h"
#include "graphics/bitmap.h"
#include "graphics/jpeg_image.h"

namespace {

std::vector<TFileFormat>& Formats() {
  // The JPEG formats join when the registry is first used, after the bitmap's.
  static std::vector<TFileFormat> formats = [] {
    std::vector<TFileFormat> initial;
    initial.push_back({"bmp", "Bitmaps", GraphicClassOf<TBitmap>("TBitmap")});
    for (TFileFormat& format : JPEGImageFormats()) initial.push_back(std::move(format));
    return initial;
  }();
  return formats;
}

}  // namespace

const std::vector<TFileFormat>& GraphicFormats() { return Formats(); }

void RegisterFileFormat(const AnsiString& extension, const AnsiString& description,
                        const TGraphicClass& graphicClass) {
  AnsiString lower = extension;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  Formats().push_back({lower, description, graphicClass});
}

void UnregisterGraphicClass(const AnsiString& className) {
  auto& formats = Formats();
  std::erase_if(formats,
                [&](const TFileFormat& f) { return f.GraphicClass.Name == className; });
}

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::SetGraphic(TGraphic* graphic) {
  if (graphic == nullptr) {
    Install(nullptr);
    return;
  }
  std::unique_ptr<TGraphic> copy = graphic->NewOfSameClass();
  copy->Assign(*graphic);
  Install(std::move(copy));
}

int TPicture::Width() const { return graphic_ ? graphic_->Width() : 0; }
int TPicture::Height() const { return graphic_ ? graphic_->Height() : 0; }

void TPicture::ReadData(TStream& stream) {
  std::uint8_t length = 0;
  stream.ReadBuffer(&length, 1);
  AnsiString className(length, '\0');
  stream.ReadBuffer(className.data(), length);
  const auto& formats = Formats();
  auto found = std::find_if(formats.rbegin(), formats.rend(), [&](const TFileFormat& f) {
    return f.GraphicClass.Name == className;
  });
  std::unique_ptr<TGraphic> graphic;
  if (found != formats.rend()) {
    graphic = found->GraphicClass.Create();
    graphic->ReadStoredData(stream);
  }
  Install(std::move(graphic));
}

void TPicture::DeclareStoredProperties(TReader& reader) {
  reader.DeclareBinaryProperty("Data", [this](TStream& stream) { ReadData(stream); });
}

void TPicture::Install(std::unique_ptr<TGraphic> graphic) {
  graphic_ = std::move(graphic);
  if (graphic_) {
    graphic_->OnChange = TNotifyEvent(this, &TPicture::GraphicChanged);
    graphic_->OnProgress = TProgressEvent(this, &TPicture::GraphicProgress);
  }
  Changed();
}

void TPicture::GraphicChanged(TObject*) { Changed(); }

void TPicture::GraphicProgress(TObject* sender, TProgressStage stage, std::uint8_t percentDone,
                               bool redrawNow, const platform::RECT& rect,
                               const AnsiString& message) {
  if (OnProgress) OnProgress(sender, stage, percentDone, redrawNow, rect, message);
}

void TPicture::Changed() {
  if (OnChange) OnChange(this);
}

namespace {

[[maybe_unused]] const auto kTPicture = RegisterClass<TPicture, TPersistent>("TPicture");

}  // namespace
