// References between components: those one read resolves when its root is complete, the
// global components (forms and data modules), and references to them that wait for their root.
#include <algorithm>
#include <mutex>
#include <shared_mutex>

#include "core/exceptions.h"
#include "core/reader.h"
#include "core/reader_detail.h"

using reader_detail::kInvalidValue;

namespace {

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

}  // namespace

namespace reader_detail {

NameLock::NameLock() {
  GlobalNames::Get().LockWrite();
}

NameLock::~NameLock() {
  GlobalNames::Get().UnlockWrite();
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

}  // namespace reader_detail

using reader_detail::DiscardGlobalFixups;
using reader_detail::NameLock;

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
