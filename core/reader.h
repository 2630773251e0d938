// The component stream reader: typed reads of tagged values and the building of components.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "core/classes.h"
#include "core/component.h"
#include "core/stream.h"
#include "core/valuetag.h"
#include "core/variant.h"

class TCollection;

// What both directions of streaming share: the stream, its buffer and the roots.
class TFiler : public TObject {
 public:
  TFiler(TStream& stream, int bufSize);

  TComponent* Root() const { return root_; }
  TComponent* LookupRoot() const { return lookupRoot_; }
  TPersistent* Ancestor() const { return ancestor_; }

 protected:
  TStream& stream_;
  std::vector<std::uint8_t> buffer_;
  std::int64_t bufSize_;
  std::int64_t bufPos_ = 0;
  std::int64_t bufEnd_ = 0;
  TComponent* root_ = nullptr;
  TComponent* lookupRoot_ = nullptr;
  TPersistent* ancestor_ = nullptr;
  bool canHandleExceptions_ = true;
};

class TReader : public TFiler {
 public:
  explicit TReader(TStream& stream, int bufSize = 4096);
  // Leaves the stream just after the last byte consumed.
  ~TReader() override;

  TComponent* Owner() const { return owner_; }
  void SetOwner(TComponent* owner) { owner_ = owner; }
  TComponent* Parent() const { return parent_; }
  void SetParent(TComponent* parent) { parent_ = parent; }
  // The name of the property being read, until a stored-property declaration takes it.
  const AnsiString& PropName() const { return propName_; }

  // Tags and lists.
  ValueTag NextValue();
  ValueTag ReadValue();
  bool EndOfList();
  void ReadListBegin();
  void ReadListEnd();
  // A length byte and that many bytes, untagged.
  AnsiString ReadStr();
  void Read(void* buffer, std::int64_t count);
  // Where in the stream the next byte the reader gives lies; errors of reading carry it.
  std::int64_t StreamOffset();

  // Typed reads: a tag the read does not accept raises EReadError "Invalid property value".
  std::int32_t ReadInteger();
  std::int64_t ReadInt64();
  long double ReadFloat();
  float ReadSingle();
  Currency ReadCurrency();
  TDateTime ReadDate();
  AnsiString ReadString();
  WideString ReadWideString();
  char ReadChar();
  bool ReadBoolean();
  AnsiString ReadIdent();
  // Element names matched against names (by ordinal) as a bit set.
  std::uint32_t ReadSet(const std::vector<AnsiString>& names);
  Variant ReadVariant();

  void SkipValue();
  void SkipProperty();
  void SkipComponent(bool skipHeader);

  // For DeclareStoredProperties: reads the value when name is the property being read.
  void DeclareProperty(const char* name, const std::function<void(TReader&)>& read);
  void DeclareBinaryProperty(const char* name, const std::function<void(TStream&)>& read);

  // One property entry of instance (name or dotted path, and value).
  void ReadProperty(TPersistent* instance);
  // The base LoadState of a component: property list, then child records.
  void ReadComponentState(TComponent* instance);
  // One child object record; returns the component read.
  TComponent* ReadComponent();
  void ReadCollection(TCollection* collection);
  // The signature and root record. With a null root the stored class is created.
  TComponent* ReadRootComponent(TComponent* root);

  // Hooks, empty unless set.
  std::function<void(TReader&, const AnsiString& name, TMethod& method, bool& handled)>
      OnFindMethod;
  std::function<void(TReader&, TComponent*, AnsiString& name)> OnSetName;
  std::function<void(TReader&, AnsiString& name)> OnReferenceName;
  std::function<void(TReader&, const AnsiString& name, TComponent*& component)> OnAncestorNotFound;
  std::function<void(TReader&, const TClassRecord*, TComponent*& component)> OnCreateComponent;
  std::function<void(TReader&, const AnsiString& className, const TClassRecord*& cls)>
      OnFindComponentClass;

 private:
  // Raises EReadError with the message and the offset of the next byte.
  [[noreturn]] void Fail(const AnsiString& message);
  // Fills the buffer from the stream; "Stream read error" when the stream has ended.
  void Refill();
  struct Fixup;
  class Nesting;

  std::uint8_t PeekByte();
  void ReadPrefix(int& flags, int& position);
  AnsiString ReadBytes(std::int64_t count);
  WideString ReadUtf16(std::int64_t count);
  std::uint32_t ReadLength();
  void SkipBytes(std::int64_t count);
  void SkipSetBody();
  void ReadPropValue(TPersistent* instance, const TPropInfo& prop);
  void AddFixup(TPersistent* instance, const TPropInfo& prop);
  void ResolveLocalFixups();
  const TClassRecord* FindComponentClass(const AnsiString& className);
  void AddLoaded(TComponent* component, bool onlyIfMissing);
  static void ResolveGlobalFixups();

  TComponent* owner_ = nullptr;
  TComponent* parent_ = nullptr;
  std::unique_ptr<std::vector<Fixup>> fixups_;
  std::vector<TComponent*>* loaded_ = nullptr;
  std::vector<TComponent*> ownLoaded_;
  AnsiString propName_;
  int depth_ = 0;
};

// Reads one stream into root (or into a new instance of the stored class when root is null).
TComponent* ReadRootFromStream(TStream& stream, TComponent* root);

// Reads the RCDATA resources named after the instance's class and each ancestor below
// stopClass, most distant first. Returns whether any was found; a form without any raises
// EResNotFound "Resource %s not found" with its class name.
bool LoadFormResources(TComponent* instance, const TClassRecord* stopClass);

// A load batch: roots read while it is open share one after-load list, run by Complete().
class TLoadBatch {
 public:
  TLoadBatch();
  ~TLoadBatch();
  TLoadBatch(const TLoadBatch&) = delete;
  TLoadBatch& operator=(const TLoadBatch&) = delete;
  void Complete();
};

// The global components (forms and data modules) that global references and root names use.
void RegisterGlobalComponent(TComponent* component);
void UnregisterGlobalComponent(TComponent* component);
TComponent* FindGlobalComponent(std::string_view name);
// Global references still waiting for their root.
int PendingGlobalFixupCount();
