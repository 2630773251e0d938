// TGraphic: the base of every picture format (bitmaps, JPEG images).
#pragma once

#include <cstdint>
#include <memory>

#include "core/event.h"
#include "core/persistent.h"
#include "core/stream.h"
#include "platform/windef.h"

class TCanvas;

enum class TProgressStage { psStarting, psRunning, psEnding };
// Sender, stage, percent done, whether the band should be shown at once, the band of the
// picture that changed since the last report, and a message.
using TProgressEvent = TEvent<void(TObject* Sender, TProgressStage Stage, std::uint8_t PercentDone,
                                   bool RedrawNow, const platform::RECT& R,
                                   const AnsiString& Msg)>;

class TGraphic;
// What a picture needs to make a graphic of a class it knows only by name.
struct TGraphicClass {
  AnsiString Name;
  std::unique_ptr<TGraphic> (*Create)();
};

template <class T>
TGraphicClass GraphicClassOf(const char* name) {
  return {name, []() -> std::unique_ptr<TGraphic> { return std::make_unique<T>(); }};
}

// A graphic holds one picture and draws it stretched into a rectangle of a canvas. Sizes
// may be computed lazily (a JPEG image reads them from its data), so the size queries are not
// const.
class TGraphic : public TPersistent {
 public:
  virtual bool Empty() = 0;
  virtual int Width() = 0;
  virtual int Height() = 0;
  virtual void SetWidth(int width) = 0;
  virtual void SetHeight(int height) = 0;
  bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool value);
  bool Modified() const { return modified_; }
  void SetModified(bool value);

  // Stretches the picture into rect on the canvas.
  virtual void Draw(TCanvas& canvas, const platform::RECT& rect) = 0;
  // The graphic's own stored data, as a picture's stored Data holds it after the class name.
  virtual void ReadStoredData(TStream& stream) = 0;
  // The rest of the stream, from its position to its end, as a picture file of this format.
  virtual void LoadFromStream(TStream& stream) = 0;
  // Takes over another graphic's picture; EInvalidGraphic "Cannot assign a %s to a %s" for
  // a format that cannot be converted.
  virtual void Assign(TGraphic& source);

  // The name this graphic's class is stored under.
  virtual AnsiString GraphicClassName() const = 0;
  // A new, empty graphic of the same class.
  virtual std::unique_ptr<TGraphic> NewOfSameClass() const = 0;

  TNotifyEvent OnChange;
  TProgressEvent OnProgress;

 protected:
  virtual void Changed();
  void Progress(TProgressStage stage, std::uint8_t percentDone, bool redrawNow,
                const platform::RECT& rect, const AnsiString& message);

 private:
  bool transparent_ = false;
  bool modified_ = false;
};
