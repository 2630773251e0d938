// Components: ownership, names, removal notices and the state flags loading depends on.
#pragma once

#include <cstdint>
#include <vector>

#include "core/persistent.h"
#include "core/sets.h"

enum class TOperation { opInsert, opRemove };

enum class TComponentStateFlag {
  csLoading,
  csReading,
  csWriting,
  csDestroying,
  csDesigning,
  csAncestor,
  csUpdating,
  csFixups,
  csFreeNotification,
  csInline,
  csDesignInstance,
};
using TComponentState = SetOf<TComponentStateFlag>;

enum class TComponentStyleFlag { csInheritable, csCheckPropAvail, csSubComponent, csTransient };
using TComponentStyle = SetOf<TComponentStyleFlag>;

// A component owns the components constructed with it as owner and frees them, last first, when
// it is freed. Classes whose owned components refer back to them while being freed (controls
// with children) call DestroyComponents() in their own destructor.
class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;

  TComponent* Owner() const { return owner_; }
  const AnsiString& Name() const { return name_; }
  // Checks the name (a valid identifier, unique in the owner without regard to case) and binds
  // the component to the owner's published field of the new name.
  void SetName(const AnsiString& name);
  std::int32_t Tag() const { return tag_; }
  void SetTag(std::int32_t tag) { tag_ = tag; }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const;
  int ComponentIndex() const;
  // The first owned component whose name matches without regard to case.
  TComponent* FindComponent(std::string_view name) const;
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  void DestroyComponents();

  // Both components are told (ComponentNotice with opRemove) when the other is freed. Each call
  // is one registration, kept until this component removes it: when A registers B and B
  // registers A, A removing its registration leaves B's, so both are still told.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  TComponentState ComponentState() const { return state_; }
  TComponentStyle ComponentStyle() const { return style_; }
  // Marks an owned component published as a property of another: it is loaded with it.
  void SetSubComponent(bool value);

  // The design position of a non-visual component: Left in the low and Top in the high 16 bits.
  std::uint32_t DesignInfo() const { return designInfo_; }
  void SetDesignInfo(std::uint32_t value) { designInfo_ = value; }

  // Sent by an owner to each component it owns, last to first, when one is inserted or removed,
  // and to each component registered through FreeNotification when that one is freed.
  virtual void ComponentNotice(TComponent* component, TOperation operation) {}

  // Loading: reads the property list and child list (see TReader::ReadComponentState).
  virtual void LoadState(TReader& reader);
  // The after-load step; the base clears the loading flag.
  virtual void AfterLoading();
  // The parent and owner of the children stored inside this component; a null owner means the
  // root owns them.
  virtual TComponent* ContainerForChildren() { return this; }
  virtual TComponent* OwnerForChildren() { return nullptr; }
  virtual void PlaceChild(TComponent* child, int position) {}
  virtual void AttachToParent(TComponent* parent) {}
  // The component this one is displayed in, if any (a control's parent).
  virtual TComponent* GetParentComponent() const { return nullptr; }

  void DeclareStoredProperties(TReader& reader) override;

 protected:
  void SetComponentState(TComponentStateFlag flag, bool on);

 private:
  friend class TReader;
  friend class TLoadBatch;

  void Insert(TComponent* component);
  void Remove(TComponent* component);
  void BindField(bool bind);
  void MarkDestroying();
  void NotifyOwned(TComponent* component, TOperation operation);
  static void Erase(std::vector<TComponent*>& list, TComponent* component);

  TComponent* owner_ = nullptr;
  AnsiString name_;
  std::int32_t tag_ = 0;
  std::vector<TComponent*> components_;
  // The registrations this component made, and the components that registered this one.
  std::vector<TComponent*> freeNotifies_;
  std::vector<TComponent*> freeNotifiedBy_;
  std::uint32_t designInfo_ = 0;
  TComponentState state_;
  TComponentStyle style_ = {TComponentStyleFlag::csInheritable};
};
