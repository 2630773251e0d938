// Persistent objects: what the stream reader can set properties on.
#pragma once

#include "core/object.h"

class TReader;

class TPersistent : public TObject {
 public:
  ~TPersistent() override;

  // Declares the stored properties that are not published ("Strings", "Left", "Data", ...),
  // through TReader::DeclareProperty and TReader::DeclareBinaryProperty.
  virtual void DeclareStoredProperties(TReader& reader) {}
};
