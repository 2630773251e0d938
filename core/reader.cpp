// Reading component records: building or finding each component, its state and children,
// and the root record that starts a stream.
#include "core/reader.h"

#include <algorithm>
#include <cstring>

#include "core/exceptions.h"
#include "core/reader_detail.h"
#include "core/scoped_value.h"

using reader_detail::DiscardGlobalFixups;
using reader_detail::NameLock;

namespace {

std::vector<TComponent*> SubComponents(TComponent* component) {
  std::vector<TComponent*> subs;
  for (int i = 0; i < component->ComponentCount(); ++i) {
    TComponent* c = component->Components(i);
    if (c->ComponentStyle().Contains(TComponentStyleFlag::csSubComponent)) subs.push_back(c);
  }
  return subs;
}

}  // namespace

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

  // Children and inline components change both while they are read.
  ScopedValue parent(parent_, parent_);
  ScopedValue lookupRoot(lookupRoot_, lookupRoot_);
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

    if (flags & 2) parent.Saved()->PlaceChild(result, position);
    bool onlyIfMissing = inherited || isInline;
    for (TComponent* s : subs) AddLoaded(s, onlyIfMissing);
    AddLoaded(result, onlyIfMissing);
  } catch (...) {
    if (created) delete result;
    throw;
  }
  return result;
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
    std::vector<TComponent*>* batch = reader_detail::InnermostBatch();
    loaded_ = batch ? batch : &ownLoaded_;
    AddLoaded(root, true);
    owner_ = root;

    root->SetComponentState(TComponentStateFlag::csLoading, true);
    root->SetComponentState(TComponentStateFlag::csReading, true);
    root->LoadState(*this);
    root->SetComponentState(TComponentStateFlag::csReading, false);

    if (!batch) {
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
