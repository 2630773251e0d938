// The stream reader's property entries: paths to nested objects, stored-property
// declarations, and each property kind's value set on its instance.
#include <algorithm>

#include "core/collection.h"
#include "core/exceptions.h"
#include "core/extended.h"
#include "core/reader.h"
#include "core/reader_detail.h"
#include "core/scoped_value.h"

using reader_detail::kInvalidValue;

namespace {

AnsiString ObjectName(TPersistent* instance) {
  auto* component = dynamic_cast<TComponent*>(instance);
  if (component && !component->Name().empty()) return component->Name();
  return instance->ClassName();
}

}  // namespace

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
  reader_detail::ReadInChunks(*this, length, [&](const std::uint8_t* bytes, std::int64_t size) {
    data.WriteBuffer(bytes, size);
  });
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

void TReader::ReadCollection(TCollection* collection) {
  Nesting nesting(*this);
  collection->BeginUpdate();
  try {
    if (!EndOfList()) collection->Clear();
    while (!EndOfList()) {
      reader_detail::SkipItemIndex(*this);
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
