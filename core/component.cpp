// Component ownership, naming, notices and the stored design position.
#include "core/component.h"

#include <algorithm>

#include "core/classes.h"
#include "core/exceptions.h"
#include "core/reader.h"

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  MarkDestroying();
  // Everyone linked in either direction hears of this removal once. The links go before the
  // notice, and the lists stay live, so a handler that frees another of them is safe.
  while (!freeNotifies_.empty() || !freeNotifiedBy_.empty()) {
    TComponent* other = freeNotifies_.empty() ? freeNotifiedBy_.back() : freeNotifies_.back();
    Erase(freeNotifies_, other);
    Erase(freeNotifiedBy_, other);
    Erase(other->freeNotifies_, this);
    Erase(other->freeNotifiedBy_, this);
    other->ComponentNotice(this, TOperation::opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::MarkDestroying() {
  state_.Include(TComponentStateFlag::csDestroying);
  for (TComponent* c : components_) c->MarkDestroying();
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* last = components_.back();
    Remove(last);
    delete last;
  }
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) {
    throw EListError(Format("List index out of bounds (%d)", index));
  }
  return components_[static_cast<std::size_t>(index)];
}

int TComponent::ComponentIndex() const {
  if (!owner_) return -1;
  auto& list = owner_->components_;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_) {
    if (SameText(c->name_, name)) return c;
  }
  return nullptr;
}

void TComponent::SetName(const AnsiString& name) {
  if (name == name_) return;
  if (!name.empty() && !IsValidIdent(name)) {
    throw EComponentError(Format("''%s'' is not a valid component name", name.c_str()));
  }
  if (owner_ && !name.empty()) {
    TComponent* other = owner_->FindComponent(name);
    if (other && other != this) {
      throw EComponentError(Format("A component named %s already exists", name.c_str()));
    }
  }
  BindField(false);
  name_ = name;
  BindField(true);
}

void TComponent::BindField(bool bind) {
  if (!owner_ || name_.empty()) return;
  const TClassRecord* cls = owner_->ClassType();
  const TFieldInfo* field = cls ? cls->FindField(name_) : nullptr;
  if (!field) return;
  if (bind) {
    field->Set(*owner_, this);
  } else if (field->Get(*owner_) == this) {
    field->Set(*owner_, nullptr);
  }
}

void TComponent::InsertComponent(TComponent* component) {
  if (!component->name_.empty()) {
    TComponent* other = FindComponent(component->name_);
    if (other && other != component) {
      throw EComponentError(
          Format("A component named %s already exists", component->name_.c_str()));
    }
  }
  if (component->owner_) component->owner_->RemoveComponent(component);
  Insert(component);
  component->BindField(true);
  NotifyOwned(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (component->owner_ != this) return;
  component->BindField(false);
  Remove(component);
  NotifyOwned(component, TOperation::opRemove);
}

void TComponent::Insert(TComponent* component) {
  components_.push_back(component);
  component->owner_ = this;
}

void TComponent::Remove(TComponent* component) {
  components_.erase(std::remove(components_.begin(), components_.end(), component),
                    components_.end());
  component->owner_ = nullptr;
}

void TComponent::NotifyOwned(TComponent* component, TOperation operation) {
  // A notice handler may free a sibling, so walk a copy and skip what has gone.
  std::vector<TComponent*> snapshot = components_;
  for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
    if (std::find(components_.begin(), components_.end(), *it) != components_.end()) {
      (*it)->ComponentNotice(component, operation);
    }
  }
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end()) {
    freeNotifies_.push_back(component);
    component->freeNotifiedBy_.push_back(this);
  }
  state_.Include(TComponentStateFlag::csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  Erase(freeNotifies_, component);
  Erase(component->freeNotifiedBy_, this);
}

void TComponent::Erase(std::vector<TComponent*>& list, TComponent* component) {
  list.erase(std::remove(list.begin(), list.end(), component), list.end());
}

void TComponent::SetSubComponent(bool value) {
  if (value) {
    style_.Include(TComponentStyleFlag::csSubComponent);
  } else {
    style_.Exclude(TComponentStyleFlag::csSubComponent);
  }
}

void TComponent::SetComponentState(TComponentStateFlag flag, bool on) {
  if (on) {
    state_.Include(flag);
  } else {
    state_.Exclude(flag);
  }
}

void TComponent::LoadState(TReader& reader) {
  reader.ReadComponentState(this);
}

void TComponent::AfterLoading() {
  state_.Exclude(TComponentStateFlag::csLoading);
}

void TComponent::DeclareStoredProperties(TReader& reader) {
  reader.DeclareProperty("Left", [this](TReader& r) {
    designInfo_ =
        (designInfo_ & 0xFFFF0000u) | (static_cast<std::uint32_t>(r.ReadInteger()) & 0xFFFFu);
  });
  reader.DeclareProperty("Top", [this](TReader& r) {
    designInfo_ = (designInfo_ & 0x0000FFFFu) | (static_cast<std::uint32_t>(r.ReadInteger()) << 16);
  });
}

namespace {
[[maybe_unused]] const auto kTPersistent = RegisterClass<TPersistent, TObject>("TPersistent");
[[maybe_unused]] const auto kTComponent =
    RegisterClass<TComponent, TPersistent>("TComponent")
        .Property("Name", &TComponent::Name, &TComponent::SetName)
        .Property("Tag", &TComponent::Tag, &TComponent::SetTag);
}  // namespace
