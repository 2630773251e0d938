// Reads arbitrary bytes as stored picture data and as a JPEG file, then draws what was read:
// any outcome but a clean exception of the framework is a failure.
#include <cstddef>
#include <cstdint>

#include "core/exceptions.h"
#include "graphics/bitmap.h"
#include "graphics/jpeg_image.h"
#include "graphics/picture.h"

namespace {

void DrawSmall(TGraphic& graphic) {
  TBitmap target;
  target.SetSize(8, 8);
  target.Canvas().StretchDraw({0, 0, 8, 8}, &graphic);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TMemoryStream stream;
  stream.WriteBuffer(data, static_cast<std::int64_t>(size));
  stream.SetPosition(0);
  try {
    TPicture picture;
    picture.ReadData(stream);
    if (picture.Graphic() != nullptr) {
      picture.Graphic()->SetTransparent(true);
      DrawSmall(*picture.Graphic());
    }
  } catch (const Exception&) {
  }
  stream.SetPosition(0);
  try {
    TJPEGImage image;
    image.ReadWholeStream(stream);
    image.SetScale(TJPEGScale::jsQuarter);
    image.Width();
    image.SetScale(TJPEGScale::jsFullSize);
    image.SetProgressiveDisplay(true);
    DrawSmall(image);
  } catch (const Exception&) {
  }
  return 0;
}
