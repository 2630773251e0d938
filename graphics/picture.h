// TPicture: holds one graphic of any registered format and reads it back from stored data.
#pragma once

#include <memory>
#include <vector>

#include "graphics/graphic.h"

class TReader;

// One format a picture can hold: the file extension (lower case), its description and the
// graphic class.
struct TFileFormat {
  AnsiString Extension;
  AnsiString Description;
  TGraphicClass GraphicClass;
  int DescriptionResId = 0;
};

// The process-wide formats, in registration order: "bmp" "Bitmaps" (TBitmap), then "jpeg"
// and "jpg" "JPEG Image File" (TJPEGImage). Made on first use.
const std::vector<TFileFormat>& GraphicFormats();
void RegisterFileFormat(const AnsiString& extension, const AnsiString& description,
                        const TGraphicClass& graphicClass);
// Removes every entry of the class.
void UnregisterGraphicClass(const AnsiString& className);

// The picture owns its graphic and forwards the graphic's change and progress notices.
//
// Stored data ("Data" in a component stream):
// | offset | size | content                                            |
// |--------|------|----------------------------------------------------|
// | 0      | 1    | n, length of the class name                        |
// | 1      | n    | class name, for example "TJPEGImage"              |
// | 1 + n  | rest | the graphic's own stored data (ReadStoredData)      |
class TPicture : public TPersistent {
 public:
  TPicture();
  ~TPicture() override;

  // Null when empty.
  TGraphic* Graphic() const { return graphic_.get(); }
  // Installs a new graphic of the given one's class with a copy of its picture; null empties.
  void SetGraphic(TGraphic* graphic);
  // 0 when empty.
  int Width() const;
  int Height() const;

  // Reads stored data from the stream's position: the class name is looked up from the
  // last registered format to the first, letter case included; an unknown class leaves the
  // picture empty without an error. A graphic that fails to read its data is freed and the
  // error propagates, leaving the previous graphic in place.
  void ReadData(TStream& stream);
  void DeclareStoredProperties(TReader& reader) override;

  TNotifyEvent OnChange;
  TProgressEvent OnProgress;

 private:
  void Install(std::unique_ptr<TGraphic> graphic);
  void GraphicChanged(TObject* sender);
  void GraphicProgress(TObject* sender, TProgressStage stage, std::uint8_t percentDone,
                       bool redrawNow, const platform::RECT& rect, const AnsiString& message);
  void Changed();

  std::unique_ptr<TGraphic> graphic_;
};
