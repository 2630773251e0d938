// Reading component streams: tagged values, property entries, object records, references.
#include "core/reader.h"

#include <algorithm>
#include <concepts>
#include <cstring>
#include <mutex>
#include <shared_mutex>

#include "core/collection.h"
#include "core/exceptions.h"
#include "core/extended.h"
#include "core/scoped_value.h"
#include "platform/codepage.h"
#include "platform/little_endian.h"

namespace {

// Streams this program reads nest a few levels; a deeper one is malformed, and stopping it
// keeps a hostile stream from exhausting the stack.
constexpr int kMaxNesting = 256;

constexpr const char* kInvalidValue = "Invalid property value";

int Tag(ValueTag t) {
  return static_cast<int>(t);
}

// The identifier, variant and skip reads look only at the low seven bits of a tag.
ValueTag Low7(ValueTag t) {
  return static_cast<ValueTag>(Tag(t) & 0x7F);
}

// The global name space: taken for writing while a root is read; re-entrant on its own thread
// so that an after-load step may construct another form.
class GlobalNames {
 public:
  static GlobalNames& Get() {
    static GlobalNames names;
    return names;
  }
  void LockWrite() {
    if (depth_++ == 0) mutex_.lock();
  }
  void UnlockWrite() {
    if (--depth_ == 0) mutex_.unlock();
  }
  std::vector<TComponent*>& Components() { return components_; }

 private:
  std::shared_mutex mutex_;
  static thread_local int depth_;
  std::vector<TComponent*> components_;
};
thread_local int GlobalNames::depth_ = 0;

class NameLock {
 public:
  NameLock() { GlobalNames::Get().LockWrite(); }
  ~NameLock() { GlobalNames::Get().UnlockWrite(); }
  NameLock(const NameLock&) = delete;
  NameLock& operator=(const NameLock&) = delete;
};

struct GlobalFixup {
  TPersistent* instance;
  const TPropInfo* prop;
  TComponent* root;
  AnsiString rootName;
  AnsiString namePath;
};

struct PendingFixups {
  std::mutex lock;
  std::vector<GlobalFixup> list;
};

PendingFixups& Pending() {
  static PendingFixups pending;
  return pending;
}

// The after-load lists of the open load batches of this thread, innermost last.
thread_local std::vector<std::unique_ptr<std::vector<TComponent*>>> batchStack;

// Splits a reference path at ".", "-" and "->".
std::vector<AnsiString> SplitPath(const AnsiString& path) {
  std::vector<AnsiString> segments(1);
  for (std::size_t i = 0; i < path.size(); ++i) {
    char c = path[i];
    if (c == '.' || c == '-') {
      if (c == '-' && i + 1 < path.size() && path[i + 1] == '>') ++i;
      segments.emplace_back();
    } else {
      segments.back() += c;
    }
  }
  return segments;
}

TComponent* FindNestedComponent(TComponent* root, const AnsiString& path) {
  TComponent* current = root;
  for (const AnsiString& segment : SplitPath(path)) {
    if (!current) return nullptr;
    TComponent* next = current->FindComponent(segment);
    if (!next && SameText(segment, "Owner")) continue;
    current = next;
  }
  return current;
}

// Stores target in a class or interface property; a target of the wrong class is refused.
void SetReference(TPersistent* instance, const TPropInfo& prop, TComponent* target) {
  prop.Set(*instance, static_cast<TObject*>(target));
  if (target && prop.Kind == TTypeKind::tkClass &&
      std::get<TObject*>(prop.Get(*instance)) != target) {
    throw EReadError(kInvalidValue);
  }
}

AnsiString ObjectName(TPersistent* instance) {
  auto* component = dynamic_cast<TComponent*>(instance);
  if (component && !component->Name().empty()) return component->Name();
  return instance->ClassName();
}

std::vector<TComponent*> SubComponents(TComponent* component) {
  std::vector<TComponent*> subs;
  for (int i = 0; i < component->ComponentCount(); ++i) {
    TComponent* c = component->Components(i);
    if (c->ComponentStyle().Contains(TComponentStyleFlag::csSubComponent)) subs.push_back(c);
  }
  return subs;
}

void DiscardGlobalFixups(TPersistent* object) {
  PendingFixups& pending = Pending();
  std::lock_guard guard(pending.lock);
  auto& list = pending.list;
  list.erase(std::remove_if(
                 list.begin(), list.end(),
                 [&](const GlobalFixup& f) { return f.instance == object || f.root == object; }),
             list.end());
}

}  // namespace

TPersistent::~TPersistent() {
  DiscardGlobalFixups(this);
}

void TReader::ResolveGlobalFixups() {
  PendingFixups& pending = Pending();
  std::lock_guard guard(pending.lock);
  std::vector<GlobalFixup> waiting;
  std::vector<TPersistent*> finished;
  for (GlobalFixup& f : pending.list) {
    TComponent* root = FindGlobalComponent(f.rootName);
    if (root) {
      SetReference(f.instance, *f.prop, FindNestedComponent(root, f.namePath));
      finished.push_back(f.instance);
    } else if (!std::get<TObject*>(f.prop->Get(*f.instance))) {
      waiting.push_back(f);
    } else {
      finished.push_back(f.instance);
    }
  }
  pending.list = std::move(waiting);
  for (TPersistent* instance : finished) {
    bool stillPending = std::any_of(pending.list.begin(), pending.list.end(),
                                    [&](const GlobalFixup& f) { return f.instance == instance; });
    auto* component = dynamic_cast<TComponent*>(instance);
    if (component && !stillPending) {
      component->SetComponentState(TComponentStateFlag::csFixups, false);
    }
  }
}

struct TReader::Fixup {
  TPersistent* instance;
  const TPropInfo* prop;
  TComponent* root;
  AnsiString namePath;
};

// Counts the nesting of lists, records and collections while one is being read or skipped.
class TReader::Nesting {
 public:
  explicit Nesting(TReader& reader) : reader_(reader) {
    if (++reader_.depth_ > kMaxNesting) {
      --reader_.depth_;
      reader_.Fail("Invalid stream format");
    }
  }
  ~Nesting() { --reader_.depth_; }
  Nesting(const Nesting&) = delete;
  Nesting& operator=(const Nesting&) = delete;

 private:
  TReader& reader_;
};

TFiler::TFiler(TStream& stream, int bufSize)
    : stream_(stream),
      buffer_(static_cast<std::size_t>(bufSize > 0 ? bufSize : 1)),
      bufSize_(static_cast<std::int64_t>(buffer_.size())) {}

TReader::TReader(TStream& stream, int bufSize) : TFiler(stream, bufSize) {}

TReader::~TReader() {
  if (bufEnd_ > bufPos_) stream_.Seek(bufPos_ - bufEnd_, TSeekOrigin::soCurrent);
}

std::int64_t TReader::StreamOffset() {
  return stream_.Position() - (bufEnd_ - bufPos_);
}

void TReader::Fail(const AnsiString& message) {
  throw EReadError(message, StreamOffset());
}

void TReader::Refill() {
  bufEnd_ = stream_.Read(buffer_.data(), bufSize_);
  bufPos_ = 0;
  if (bufEnd_ <= 0) {
    bufEnd_ = 0;
    Fail("Stream read error");
  }
}

void TReader::Read(void* buffer, std::int64_t count) {
  auto* out = static_cast<std::uint8_t*>(buffer);
  while (count > 0) {
    if (bufPos_ == bufEnd_) Refill();
    std::int64_t n = std::min(count, bufEnd_ - bufPos_);
    std::memcpy(out, buffer_.data() + bufPos_, static_cast<std::size_t>(n));
    bufPos_ += n;
    out += n;
    count -= n;
  }
}

std::uint8_t TReader::PeekByte() {
  if (bufPos_ == bufEnd_) Refill();
  return buffer_[static_cast<std::size_t>(bufPos_)];
}

ValueTag TReader::NextValue() {
  return static_cast<ValueTag>(PeekByte());
}

ValueTag TReader::ReadValue() {
  std::uint8_t b;
  Read(&b, 1);
  return static_cast<ValueTag>(b);
}

bool TReader::EndOfList() {
  return PeekByte() == 0;
}

void TReader::ReadListBegin() {
  if (ReadValue() != ValueTag::tagList) Fail(kInvalidValue);
}

void TReader::ReadListEnd() {
  if (ReadValue() != ValueTag::tagEnd) Fail(kInvalidValue);
}

AnsiString TReader::ReadBytes(std::int64_t count) {
  AnsiString result;
  // Grown as the bytes arrive, so a corrupt length cannot reserve memory that is not there.
  char chunk[4096];
  while (count > 0) {
    std::int64_t n = std::min<std::int64_t>(count, sizeof chunk);
    Read(chunk, n);
    result.append(chunk, static_cast<std::size_t>(n));
    count -= n;
  }
  return result;
}

WideString TReader::ReadUtf16(std::int64_t count) {
  AnsiString bytes = ReadBytes(count * 2);
  WideString result(static_cast<std::size_t>(count), u'\0');
  const auto* units = reinterpret_cast<const std::uint8_t*>(bytes.data());
  for (std::size_t i = 0; i < result.size(); ++i) {
    result[i] = static_cast<char16_t>(platform::LoadLittleEndian<std::uint16_t>(units + 2 * i));
  }
  return result;
}

namespace {

// The next sizeof(T) bytes of the stream as a little-endian integer.
template <std::integral T>
T ReadLittleEndian(TReader& reader) {
  std::uint8_t bytes[sizeof(T)];
  reader.Read(bytes, sizeof(T));
  return platform::LoadLittleEndian<T>(bytes);
}

}  // namespace

std::uint32_t TReader::ReadLength() {
  return ReadLittleEndian<std::uint32_t>(*this);
}

AnsiString TReader::ReadStr() {
  std::uint8_t length;
  Read(&length, 1);
  return ReadBytes(length);
}

void TReader::SkipBytes(std::int64_t count) {
  std::uint8_t chunk[256];
  while (count > 0) {
    std::int64_t n = std::min<std::int64_t>(count, sizeof chunk);
    Read(chunk, n);
    count -= n;
  }
}

std::int32_t TReader::ReadInteger() {
  switch (ReadValue()) {
    case ValueTag::tagInt8:
      return ReadLittleEndian<std::int8_t>(*this);
    case ValueTag::tagInt16:
      return ReadLittleEndian<std::int16_t>(*this);
    case ValueTag::tagInt32:
      return ReadLittleEndian<std::int32_t>(*this);
    default:
      Fail(kInvalidValue);
  }
}

std::int64_t TReader::ReadInt64() {
  if (NextValue() != ValueTag::tagInt64) return ReadInteger();
  ReadValue();
  return ReadLittleEndian<std::int64_t>(*this);
}

long double TReader::ReadFloat() {
  if (NextValue() != ValueTag::tagExtended) return static_cast<long double>(ReadInt64());
  ReadValue();
  std::uint8_t b[10];
  Read(b, 10);
  return ExtendedToLongDouble(b);
}

float TReader::ReadSingle() {
  if (NextValue() != ValueTag::tagSingle) return static_cast<float>(ReadInt64());
  ReadValue();
  std::uint32_t bits = ReadLittleEndian<std::uint32_t>(*this);
  float f;
  std::memcpy(&f, &bits, 4);
  return f;
}

Currency TReader::ReadCurrency() {
  if (NextValue() != ValueTag::tagCurrency) {
    std::int64_t scaled;
    if (__builtin_mul_overflow(ReadInt64(), std::int64_t{10000}, &scaled)) Fail(kInvalidValue);
    return Currency{scaled};
  }
  ReadValue();
  return Currency{ReadLittleEndian<std::int64_t>(*this)};
}

TDateTime TReader::ReadDate() {
  if (NextValue() != ValueTag::tagDate) return TDateTime{static_cast<double>(ReadInt64())};
  ReadValue();
  std::uint64_t bits = ReadLittleEndian<std::uint64_t>(*this);
  double d;
  std::memcpy(&d, &bits, 8);
  return TDateTime{d};
}

AnsiString TReader::ReadString() {
  switch (ReadValue()) {
    case ValueTag::tagShortString:
      return ReadStr();
    case ValueTag::tagLongString:
      return ReadBytes(ReadLength());
    case ValueTag::tagWideString:
      return platform::WideToAnsi(ReadUtf16(ReadLength()));
    case ValueTag::tagUtf8String:
      return platform::WideToAnsi(platform::Utf8ToWide(ReadBytes(ReadLength())));
    default:
      Fail(kInvalidValue);
  }
}

WideString TReader::ReadWideString() {
  switch (ReadValue()) {
    case ValueTag::tagShortString:
      return platform::AnsiToWide(ReadStr());
    case ValueTag::tagLongString:
      return platform::AnsiToWide(ReadBytes(ReadLength()));
    case ValueTag::tagWideString:
      return ReadUtf16(ReadLength());
    case ValueTag::tagUtf8String:
      return platform::Utf8ToWide(ReadBytes(ReadLength()));
    default:
      Fail(kInvalidValue);
  }
}

char TReader::ReadChar() {
  AnsiString s = ReadString();
  if (s.size() > 1) Fail(kInvalidValue);
  return s.empty() ? '\0' : s[0];
}

bool TReader::ReadBoolean() {
  return ReadValue() == ValueTag::tagTrue;
}

AnsiString TReader::ReadIdent() {
  switch (Low7(ReadValue())) {
    case ValueTag::tagIdent:
      return ReadStr();
    case ValueTag::tagFalse:
      return "False";
    case ValueTag::tagTrue:
      return "True";
    case ValueTag::tagNil:
      return "nil";
    case ValueTag::tagEnd:
      return "Null";
    default:
      Fail(kInvalidValue);
  }
}

void TReader::SkipSetBody() {
  while (!ReadStr().empty()) {
  }
}

std::uint32_t TReader::ReadSet(const std::vector<AnsiString>& names) {
  if (ReadValue() != ValueTag::tagSet) Fail(kInvalidValue);
  std::uint32_t bits = 0;
  for (;;) {
    AnsiString name = ReadStr();
    if (name.empty()) return bits;
    auto it = std::find_if(names.begin(), names.end(),
                           [&](const AnsiString& n) { return SameText(n, name); });
    if (it == names.end()) {
      SkipSetBody();
      Fail(kInvalidValue);
    }
    auto ordinal = it - names.begin();
    if (ordinal <= 31) bits |= std::uint32_t{1} << ordinal;
  }
}

Variant TReader::ReadVariant() {
  switch (Low7(NextValue())) {
    case ValueTag::tagEnd:
      ReadValue();
      return Variant::Null();
    case ValueTag::tagNil:
      ReadValue();
      return Variant();
    case ValueTag::tagInt8:
      return Variant::Int8(static_cast<std::int8_t>(ReadInteger()));
    case ValueTag::tagInt16:
      return Variant::Int16(static_cast<std::int16_t>(ReadInteger()));
    case ValueTag::tagInt32:
      return Variant(ReadInteger());
    case ValueTag::tagExtended:
      return Variant(NarrowToDouble(ReadFloat()));
    case ValueTag::tagShortString:
    case ValueTag::tagLongString:
      return Variant(ReadString());
    case ValueTag::tagFalse:
    case ValueTag::tagTrue:
      return Variant(ReadBoolean());
    case ValueTag::tagSingle:
      return Variant(ReadSingle());
    case ValueTag::tagCurrency:
      return Variant(ReadCurrency());
    case ValueTag::tagDate:
      return Variant(ReadDate());
    case ValueTag::tagWideString:
    case ValueTag::tagUtf8String:
      return Variant(ReadWideString());
    case ValueTag::tagInt64:
      return Variant(ReadInt64());
    case ValueTag::tagBinary:
      // A custom variant: this program registers no custom variant types to resolve it.
      ReadValue();
      SkipBytes(ReadLength());
      Fail(kInvalidValue);
    default:
      Fail("Stream read error");
  }
}

void TReader::SkipValue() {
  Nesting nesting(*this);
  switch (Low7(ReadValue())) {
    case ValueTag::tagList:
      while (!EndOfList()) SkipValue();
      ReadValue();
      break;
    case ValueTag::tagInt8:
      SkipBytes(1);
      break;
    case ValueTag::tagInt16:
      SkipBytes(2);
      break;
    case ValueTag::tagInt32:
    case ValueTag::tagSingle:
      SkipBytes(4);
      break;
    case ValueTag::tagExtended:
      SkipBytes(10);
      break;
    case ValueTag::tagShortString:
    case ValueTag::tagIdent:
      ReadStr();
      break;
    case ValueTag::tagBinary:
    case ValueTag::tagLongString:
    case ValueTag::tagUtf8String:
      SkipBytes(ReadLength());
      break;
    case ValueTag::tagWideString:
      SkipBytes(std::int64_t{ReadLength()} * 2);
      break;
    case ValueTag::tagSet:
      SkipSetBody();
      break;
    case ValueTag::tagCollection:
      while (!EndOfList()) {
        ValueTag t = NextValue();
        if (t == ValueTag::tagInt8 || t == ValueTag::tagInt16 || t == ValueTag::tagInt32) {
          ReadInteger();
        }
        ReadListBegin();
        while (!EndOfList()) SkipProperty();
        ReadListEnd();
      }
      ReadListEnd();
      break;
    case ValueTag::tagCurrency:
    case ValueTag::tagDate:
    case ValueTag::tagInt64:
      SkipBytes(8);
      break;
    case ValueTag::tagEnd:
    case ValueTag::tagFalse:
    case ValueTag::tagTrue:
    case ValueTag::tagNil:
      break;
    default:
      Fail("Invalid stream format");
  }
}

void TReader::SkipProperty() {
  ReadStr();
  SkipValue();
}

void TReader::SkipComponent(bool skipHeader) {
  Nesting nesting(*this);
  if (skipHeader) {
    int flags, position;
    ReadPrefix(flags, position);
    ReadStr();
    ReadStr();
  }
  while (!EndOfList()) SkipProperty();
  ReadListEnd();
  while (!EndOfList()) SkipComponent(true);
  ReadListEnd();
}

void TReader::ReadPrefix(int& flags, int& position) {
  flags = 0;
  position = 0;
  if (PeekByte() >= 0xF0) {
    flags = Tag(ReadValue()) & 0x0F;
    if (flags & 2) position = ReadInteger();
  }
}

void TReader::DeclareProperty(const char* name, const std::function<void(TReader&)>& read) {
  if (!read || propName_.empty() || !SameText(name, propName_)) return;
  read(*this);
  propName_.clear();
}

void TReader::DeclareBinaryProperty(const char* name, const std::function<void(TStream&)>& read) {
  if (!read || propName_.empty() || !SameText(name, propName_)) return;
  if (ReadValue() != ValueTag::tagBinary) Fail(kInvalidValue);
  std::uint32_t length = ReadLength();
  TMemoryStream data;
  std::uint8_t chunk[4096];
  for (std::int64_t left = length; left > 0;) {
    std::int64_t n = std::min<std::int64_t>(left, sizeof chunk);
    Read(chunk, n);
    data.WriteBuffer(chunk, n);
    left -= n;
  }
  data.SetPosition(0);
  read(data);
  propName_.clear();
}

void TReader::ReadProperty(TPersistent* instance) {
  propName_.clear();
  // Nested reads (collection items) reuse propName_, so the name for the message is kept here.
  AnsiString current;
  try {
    AnsiString path = ReadStr();
    std::vector<AnsiString> segments;
    std::size_t start = 0;
    for (std::size_t dot; (dot = path.find('.', start)) != AnsiString::npos; start = dot + 1) {
      segments.push_back(path.substr(start, dot - start));
    }
    segments.push_back(path.substr(start));

    TPersistent* target = instance;
    for (std::size_t i = 0; i + 1 < segments.size(); ++i) {
      const TClassRecord* cls = target->ClassType();
      const TPropInfo* prop = cls ? cls->FindProperty(segments[i]) : nullptr;
      current = segments[i];
      if (!prop) {
        SkipValue();
        Fail(Format("Property %s does not exist", segments[i].c_str()));
      }
      TPersistent* next = nullptr;
      if (prop->Kind == TTypeKind::tkClass) {
        next = dynamic_cast<TPersistent*>(std::get<TObject*>(prop->Get(*target)));
      }
      if (!next) {
        SkipValue();
        Fail("Invalid property path");
      }
      target = next;
    }

    current = segments.back();
    propName_ = current;
    const TClassRecord* cls = target->ClassType();
    const TPropInfo* prop = cls ? cls->FindProperty(propName_) : nullptr;
    if (prop) {
      ReadPropValue(target, *prop);
    } else {
      {
        ScopedValue handling(canHandleExceptions_, false);
        target->DeclareStoredProperties(*this);
      }
      if (!propName_.empty()) {
        SkipValue();
        Fail(Format("Property %s does not exist", current.c_str()));
      }
    }
  } catch (const Exception& e) {
    // The place is where the failing value was read, not where the reader stopped after it.
    const auto* read = dynamic_cast<const EReadError*>(&e);
    throw EReadError(Format("Error reading %s%s%s: %s", ObjectName(instance).c_str(), ".",
                            current.c_str(), e.Message().c_str()),
                     read && read->Offset() >= 0 ? read->Offset() : StreamOffset());
  }
}

void TReader::ReadPropValue(TPersistent* instance, const TPropInfo& prop) {
  if (!prop.HasSetter()) {
    auto* sub = prop.Kind == TTypeKind::tkClass
                    ? dynamic_cast<TComponent*>(std::get<TObject*>(prop.Get(*instance)))
                    : nullptr;
    if (!sub || !sub->ComponentStyle().Contains(TComponentStyleFlag::csSubComponent)) {
      Fail("Property is read-only");
    }
  }
  switch (prop.Kind) {
    case TTypeKind::tkInteger:
      if (NextValue() == ValueTag::tagIdent) {
        AnsiString ident = ReadIdent();
        auto value = prop.Idents.empty() ? std::nullopt : IdentToInt(prop.Idents, ident);
        if (!value) Fail(kInvalidValue);
        prop.Set(*instance, std::int64_t{*value});
      } else {
        prop.Set(*instance, std::int64_t{ReadInteger()});
      }
      break;
    case TTypeKind::tkChar:
      prop.Set(*instance, static_cast<std::int64_t>(static_cast<unsigned char>(ReadChar())));
      break;
    case TTypeKind::tkEnumeration: {
      AnsiString ident = ReadIdent();
      auto it = std::find_if(prop.Names.begin(), prop.Names.end(),
                             [&](const AnsiString& n) { return SameText(n, ident); });
      if (it == prop.Names.end()) Fail(kInvalidValue);
      prop.Set(*instance, static_cast<std::int64_t>(it - prop.Names.begin()));
      break;
    }
    case TTypeKind::tkFloat:
      switch (prop.FloatType) {
        case TFloatType::ftCurr:
          prop.Set(*instance, ReadCurrency().Value);
          break;
        case TFloatType::ftDate:
          prop.Set(*instance, static_cast<long double>(ReadDate().Value));
          break;
        case TFloatType::ftSingle:
          // A single-precision property also takes the single tag as stored.
          prop.Set(*instance, static_cast<long double>(NextValue() == ValueTag::tagSingle
                                                           ? ReadSingle()
                                                           : NarrowToSingle(ReadFloat())));
          break;
        case TFloatType::ftDouble:
          prop.Set(*instance, static_cast<long double>(NarrowToDouble(ReadFloat())));
          break;
        case TFloatType::ftExtended:
          prop.Set(*instance, ReadFloat());
          break;
      }
      break;
    case TTypeKind::tkString:
      prop.Set(*instance, ReadString());
      break;
    case TTypeKind::tkWString:
      prop.Set(*instance, ReadWideString());
      break;
    case TTypeKind::tkSet:
      prop.Set(*instance, static_cast<std::int64_t>(ReadSet(prop.Names)));
      break;
    case TTypeKind::tkClass:
      if (NextValue() != ValueTag::tagCollection && !prop.HasSetter()) {
        // A read-only sub-component takes its properties through paths, not a value.
        Fail("Property is read-only");
      }
      if (NextValue() == ValueTag::tagNil) {
        ReadValue();
        prop.Set(*instance, static_cast<TObject*>(nullptr));
      } else if (NextValue() == ValueTag::tagCollection) {
        auto* collection = dynamic_cast<TCollection*>(std::get<TObject*>(prop.Get(*instance)));
        if (!collection) Fail(kInvalidValue);
        ReadValue();
        ReadCollection(collection);
      } else {
        AddFixup(instance, prop);
      }
      break;
    case TTypeKind::tkMethod:
      if (NextValue() == ValueTag::tagNil) {
        ReadValue();
        prop.Set(*instance, TMethod{});
      } else {
        AnsiString name = ReadIdent();
        const TClassRecord* rootClass = root_ ? root_->ClassType() : nullptr;
        const TMethodInfo* info = rootClass ? rootClass->FindMethod(name) : nullptr;
        TMethod method;
        if (info && info->Signature == prop.ValueType) method = TMethod{info->Code.Code, root_};
        bool handled = static_cast<bool>(method);
        if (OnFindMethod) OnFindMethod(*this, name, method, handled);
        if (!handled) Fail(kInvalidValue);
        if (method) prop.Set(*instance, method);
      }
      break;
    case TTypeKind::tkVariant:
      prop.Set(*instance, ReadVariant());
      break;
    case TTypeKind::tkInt64:
      prop.Set(*instance, ReadInt64());
      break;
    case TTypeKind::tkInterface:
      if (NextValue() == ValueTag::tagNil) {
        ReadValue();
        prop.Set(*instance, static_cast<TObject*>(nullptr));
      } else {
        AddFixup(instance, prop);
      }
      break;
  }
}

void TReader::AddFixup(TPersistent* instance, const TPropInfo& prop) {
  AnsiString name = ReadIdent();
  // Outside any LoadState there is no list to resolve later; resolve as soon as it is read.
  if (!fixups_) {
    SetReference(instance, prop, root_ ? FindNestedComponent(root_, name) : nullptr);
    return;
  }
  fixups_->push_back({instance, &prop, root_, name});
}

void TReader::ResolveLocalFixups() {
  for (Fixup& f : *fixups_) {
    AnsiString name = f.namePath;
    if (OnReferenceName) OnReferenceName(*this, name);
    TComponent* target = f.root ? FindNestedComponent(f.root, name) : nullptr;
    std::size_t dot = name.find('.');
    if (target || dot == AnsiString::npos) {
      SetReference(f.instance, *f.prop, target);
      continue;
    }
    if (auto* component = dynamic_cast<TComponent*>(f.instance)) {
      component->SetComponentState(TComponentStateFlag::csFixups, true);
    }
    PendingFixups& pending = Pending();
    std::lock_guard guard(pending.lock);
    pending.list.push_back({f.instance, f.prop, f.root, name.substr(0, dot), name.substr(dot + 1)});
  }
}

void TReader::ReadComponentState(TComponent* instance) {
  bool outermost = !fixups_;
  if (outermost) fixups_ = std::make_unique<std::vector<Fixup>>();
  try {
    while (!EndOfList()) ReadProperty(instance);
    ReadListEnd();
    {
      ScopedValue parent(parent_, instance->ContainerForChildren());
      TComponent* childOwner = instance->OwnerForChildren();
      ScopedValue owner(owner_, childOwner ? childOwner : root_);
      while (!EndOfList()) ReadComponent();
      ReadListEnd();
    }
    if (outermost) ResolveLocalFixups();
  } catch (...) {
    if (outermost) fixups_.reset();
    throw;
  }
  if (outermost) fixups_.reset();
}

const TClassRecord* TReader::FindComponentClass(const AnsiString& className) {
  const TClassRecord* cls = nullptr;
  if (root_ && root_->ClassType()) cls = root_->ClassType()->FindFieldClass(className);
  if (!cls && lookupRoot_ && lookupRoot_ != root_ && lookupRoot_->ClassType()) {
    cls = lookupRoot_->ClassType()->FindFieldClass(className);
  }
  if (!cls && OnFindComponentClass) OnFindComponentClass(*this, className, cls);
  if (!cls) cls = FindClass(className);
  if (!cls || !cls->IsComponentClass()) {
    throw EClassNotFound(Format("Class %s not found", className.c_str()));
  }
  return cls;
}

void TReader::AddLoaded(TComponent* component, bool onlyIfMissing) {
  if (!loaded_) loaded_ = &ownLoaded_;
  if (onlyIfMissing && std::find(loaded_->begin(), loaded_->end(), component) != loaded_->end()) {
    return;
  }
  loaded_->push_back(component);
}

TComponent* TReader::ReadComponent() {
  Nesting nesting(*this);
  int flags, position;
  ReadPrefix(flags, position);
  AnsiString className = ReadStr();
  AnsiString name = ReadStr();
  bool inherited = flags & 1;
  bool isInline = flags & 4;

  TComponent* savedParent = parent_;
  TComponent* savedLookupRoot = lookupRoot_;
  TComponent* result = nullptr;
  bool created = false;
  try {
    if (inherited) {
      result = lookupRoot_ ? lookupRoot_->FindComponent(name) : nullptr;
      if (!result && OnAncestorNotFound) OnAncestorNotFound(*this, name, result);
      if (!result) Fail(Format("Ancestor for '%s' not found", name.c_str()));
      parent_ = result->GetParentComponent();
      if (!parent_) parent_ = root_;
    } else {
      const TClassRecord* cls = FindComponentClass(className);
      if (OnCreateComponent) OnCreateComponent(*this, cls, result);
      if (!result) {
        result = cls->CreateComponent(owner_);
        if (!result) throw EClassNotFound(Format("Class %s not found", className.c_str()));
      }
      created = true;
      if (isInline) result->SetComponentState(TComponentStateFlag::csInline, true);
    }
    std::vector<TComponent*> subs = SubComponents(result);
    result->SetComponentState(TComponentStateFlag::csLoading, true);
    for (TComponent* s : subs) s->SetComponentState(TComponentStateFlag::csLoading, true);
    if (!inherited) {
      result->AttachToParent(parent_);
      if (OnSetName) OnSetName(*this, result, name);
      result->SetName(name);
    }
    if (result->ComponentState().Contains(TComponentStateFlag::csInline)) lookupRoot_ = result;

    result->SetComponentState(TComponentStateFlag::csReading, true);
    for (TComponent* s : subs) s->SetComponentState(TComponentStateFlag::csReading, true);
    result->LoadState(*this);
    result->SetComponentState(TComponentStateFlag::csReading, false);
    for (TComponent* s : subs) s->SetComponentState(TComponentStateFlag::csReading, false);

    if (flags & 2) savedParent->PlaceChild(result, position);
    bool onlyIfMissing = inherited || isInline;
    for (TComponent* s : subs) AddLoaded(s, onlyIfMissing);
    AddLoaded(result, onlyIfMissing);
  } catch (...) {
    parent_ = savedParent;
    lookupRoot_ = savedLookupRoot;
    if (created) delete result;
    throw;
  }
  parent_ = savedParent;
  lookupRoot_ = savedLookupRoot;
  return result;
}

void TReader::ReadCollection(TCollection* collection) {
  Nesting nesting(*this);
  collection->BeginUpdate();
  try {
    if (!EndOfList()) collection->Clear();
    while (!EndOfList()) {
      ValueTag t = NextValue();
      if (t == ValueTag::tagInt8 || t == ValueTag::tagInt16 || t == ValueTag::tagInt32) {
        ReadInteger();
      }
      TCollectionItem* item = collection->Add();
      ReadListBegin();
      while (!EndOfList()) ReadProperty(item);
      ReadListEnd();
    }
    ReadListEnd();
  } catch (...) {
    collection->EndUpdate();
    throw;
  }
  collection->EndUpdate();
}

TComponent* TReader::ReadRootComponent(TComponent* root) {
  char signature[4];
  Read(signature, 4);
  if (std::memcmp(signature, kStreamSignature, 4) != 0) Fail("Invalid stream format");

  NameLock lock;
  bool created = false;
  try {
    int flags, position;
    ReadPrefix(flags, position);
    if (root) {
      ReadStr();
      root->SetComponentState(TComponentStateFlag::csLoading, true);
      root->SetComponentState(TComponentStateFlag::csReading, true);
      AnsiString name = ReadStr();
      AnsiString unique = name;
      for (int i = 1; !unique.empty(); ++i) {
        TComponent* other = FindGlobalComponent(unique);
        if (!other || other == root) break;
        unique = Format("%s_%d", name.c_str(), i);
      }
      root->SetName(unique);
    } else {
      AnsiString className = ReadStr();
      const TClassRecord* cls = FindClass(className);
      if (!cls || !cls->IsComponentClass() || !cls->CanCreate()) {
        throw EClassNotFound(Format("Class %s not found", className.c_str()));
      }
      root = cls->CreateComponent(nullptr);
      created = true;
      root->SetName(ReadStr());
    }

    root_ = root;
    lookupRoot_ = root;
    loaded_ = batchStack.empty() ? &ownLoaded_ : batchStack.back().get();
    AddLoaded(root, true);
    owner_ = root;

    root->SetComponentState(TComponentStateFlag::csLoading, true);
    root->SetComponentState(TComponentStateFlag::csReading, true);
    root->LoadState(*this);
    root->SetComponentState(TComponentStateFlag::csReading, false);

    if (batchStack.empty()) {
      std::vector<TComponent*> list = std::move(ownLoaded_);
      ownLoaded_.clear();
      for (TComponent* c : list) c->AfterLoading();
    }
    ResolveGlobalFixups();
  } catch (...) {
    ownLoaded_.clear();
    if (root) {
      root->SetComponentState(TComponentStateFlag::csReading, false);
      DiscardGlobalFixups(root);
    }
    if (created) delete root;
    throw;
  }
  return root;
}

TComponent* ReadRootFromStream(TStream& stream, TComponent* root) {
  TReader reader(stream, 4096);
  return reader.ReadRootComponent(root);
}

namespace {

bool LoadClassChain(const TClassRecord* cls, TComponent* instance, const TClassRecord* stopClass) {
  if (!cls || cls == stopClass || cls == ClassOf<TComponent>()) return false;
  bool found = LoadClassChain(cls->Parent(), instance, stopClass);
  AnsiString name = UpperCase(cls->Name());
  if (platform::FindResourceA(nullptr, name.c_str(), platform::RT_RCDATA)) {
    TResourceStream stream(nullptr, name, platform::RT_RCDATA);
    ReadRootFromStream(stream, instance);
    found = true;
  }
  return found;
}

}  // namespace

bool LoadFormResources(TComponent* instance, const TClassRecord* stopClass) {
  TComponentState state = instance->ComponentState();
  if (state.Contains(TComponentStateFlag::csLoading) ||
      state.Contains(TComponentStateFlag::csInline)) {
    return LoadClassChain(instance->ClassType(), instance, stopClass);
  }
  TLoadBatch batch;
  bool found = LoadClassChain(instance->ClassType(), instance, stopClass);
  batch.Complete();
  return found;
}

TLoadBatch::TLoadBatch() {
  batchStack.push_back(std::make_unique<std::vector<TComponent*>>());
}

TLoadBatch::~TLoadBatch() {
  batchStack.pop_back();
}

void TLoadBatch::Complete() {
  std::vector<TComponent*> list = std::move(*batchStack.back());
  batchStack.back()->clear();
  for (TComponent* c : list) c->AfterLoading();
}

void RegisterGlobalComponent(TComponent* component) {
  NameLock lock;
  auto& list = GlobalNames::Get().Components();
  if (std::find(list.begin(), list.end(), component) == list.end()) list.push_back(component);
}

void UnregisterGlobalComponent(TComponent* component) {
  NameLock lock;
  auto& list = GlobalNames::Get().Components();
  list.erase(std::remove(list.begin(), list.end(), component), list.end());
}

TComponent* FindGlobalComponent(std::string_view name) {
  NameLock lock;
  for (TComponent* c : GlobalNames::Get().Components()) {
    if (SameText(c->Name(), name)) return c;
  }
  return nullptr;
}

int PendingGlobalFixupCount() {
  PendingFixups& pending = Pending();
  std::lock_guard guard(pending.lock);
  return static_cast<int>(pending.list.size());
}
