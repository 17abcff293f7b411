#pragma once
// Components: the owner tree, names, free notification and component state.
// An owner owns its components through raw pointers, the one owning raw
// pointer in the system, and deletes them when it is destroyed.
#include "classes/TPersistent.h"
#include "classes/TValue.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

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
using TComponentState = TSet<TComponentStateFlag>;

enum class TOperation { opInsert, opRemove };

class TComponentRefBase;

class TComponent : public TPersistent {
  QUELM_CLASS(TComponent, TPersistent)

public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;

  TComponent* Owner() const { return FOwner; }
  TPersistent* GetOwner() const override { return FOwner; }
  std::string GetNamePath() const override { return FName; }

  const std::string& Name() const { return FName; }
  // Raises EComponentError for a name that is not an identifier, or that
  // another component of the same owner already has (ignoring case).
  virtual void SetName(const std::string& newName);
  int32_t Tag() const { return FTag; }
  void SetTag(int32_t tag) { FTag = tag; }

  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int index) const;
  int ComponentIndex() const;
  TComponent* FindComponent(const std::string& name) const;
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  void DestroyComponents();

  // Asks to be told (Notification with opRemove) when component is destroyed.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);
  virtual void Notification(TComponent* component, TOperation operation);

  TComponentState ComponentState() const { return FComponentState; }
  bool IsDesigning() const { return FComponentState.Contains(TComponentStateFlag::csDesigning); }
  bool IsLoading() const { return FComponentState.Contains(TComponentStateFlag::csLoading); }
  bool IsDestroying() const { return FComponentState.Contains(TComponentStateFlag::csDestroying); }
  // Sets or clears the designing state, for the owned components too.
  void SetDesigning(bool designing, bool setChildren = true);
  void SetLoading(bool loading);
  // A component that comes from an ancestor form (its "inherited" node) or
  // sits in an inline frame: the designer may change its properties but
  // neither rename nor delete it. The ancestor state reaches the owned
  // components too, as the frame's own components come from its ancestor.
  bool IsAncestor() const { return FComponentState.Contains(TComponentStateFlag::csAncestor); }
  bool IsInline() const { return FComponentState.Contains(TComponentStateFlag::csInline); }
  void SetAncestor(bool ancestor);
  void SetInline(bool isInline);
  // Called once the component and its properties were read from a form file.
  virtual void Loaded();

  // The component it sits in on a form (a control's parent, a menu item's
  // menu), which differs from its owner. Form files nest a component inside
  // its parent component; the reader calls SetParentComponent with it.
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent* parent) {}
  // The components a form file writes nested in this one in an order of its
  // own (a dataset's persistent fields in its field order); none by default.
  virtual void GetChildren(const std::function<void(TComponent*)>& proc) const {}

  // Where the design host keeps a non-visual component's place on the form:
  // left in the low word, top in the high word.
  int32_t DesignInfo() const { return FDesignInfo; }
  void SetDesignInfo(int32_t info) { FDesignInfo = info; }

  static bool IsValidIdent(const std::string& name);

protected:
  virtual void ValidateRename(TComponent* component, const std::string& curName, const std::string& newName);

private:
  friend class TComponentRefBase;
  void Insert(TComponent* component);
  void Remove(TComponent* component);
  void Destroying();

  TComponent* FOwner = nullptr;
  std::string FName;
  int32_t FTag = 0;
  int32_t FDesignInfo = 0;
  TComponentState FComponentState;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  std::vector<TComponentRefBase*> FWeakRefs;
};
