#include "classes/TComponent.h"

#include "classes/TComponentRef.h"
#include "rtl/Format.h"
#include "rtl/TList.h"
#include "rtl/TextCompare.h"

#include <algorithm>

QUELM_DEFINE_CLASS(TComponent, TPersistent,
                   b.Property("Name", TypeInfoString(), &TComponent::Name, &TComponent::SetName)
                       .Stored([](const TComponent&) { return false; });
                   b.Property("Tag", TypeInfoInteger(), &TComponent::Tag, &TComponent::SetTag).Default(0);
                   b.ComponentFactory())

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  // References clear themselves first, so nothing can reach this component
  // through them while its owned components go.
  while (!FWeakRefs.empty()) FWeakRefs.back()->Attach(nullptr, nullptr);
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    auto& back = other->FFreeNotifies;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
    other->Notification(this, TOperation::opRemove);
  }
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::Destroying() {
  if (IsDestroying()) return;
  FComponentState.Include(TComponentStateFlag::csDestroying);
  for (TComponent* c : FComponents) c->Destroying();
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) RaiseListIndexError(index);
  return FComponents[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const {
  if (!FOwner) return -1;
  auto& list = FOwner->FComponents;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (SameText(c->FName, name)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
  // Two components of one owner under one name would make the owner's names
  // ambiguous in form files, so an insert is checked like a rename. The checks
  // come before anything changes: a refused component stays with its owner.
  TComponent* sameName = FindComponent(component->FName);
  if (sameName && sameName != component)
    throw EComponentError(Format(HostText::DuplicateName, {component->FName}));
  if (component->FOwner != this) ValidateRename(component, "", component->FName);
  if (component->FOwner) component->FOwner->RemoveComponent(component);
  Insert(component);
  if (IsDesigning()) component->SetDesigning(true);
  Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  ValidateRename(component, component->FName, "");
  Notification(component, TOperation::opRemove);
  Remove(component);
}

void TComponent::Insert(TComponent* component) {
  FComponents.push_back(component);
  component->FOwner = this;
}

void TComponent::Remove(TComponent* component) {
  auto it = std::find(FComponents.begin(), FComponents.end(), component);
  if (it != FComponents.end()) FComponents.erase(it);
  component->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
  // By index from the end, each slot cleared before its delete: a component's
  // destructor may free a sibling, which then leaves the list by itself.
  while (!FComponents.empty()) {
    TComponent* component = FComponents.back();
    FComponents.pop_back();
    component->FOwner = nullptr;
    delete component;
  }
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  FComponentState.Include(TComponentStateFlag::csFreeNotification);
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end())
    FFreeNotifies.push_back(component);
  auto& back = component->FFreeNotifies;
  if (std::find(back.begin(), back.end(), this) == back.end()) back.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), component), FFreeNotifies.end());
  auto& back = component->FFreeNotifies;
  back.erase(std::remove(back.begin(), back.end(), this), back.end());
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove && component) RemoveFreeNotification(component);
  // Owned components hear of it too, so a component referring to a sibling
  // learns that the sibling goes without asking for free notification.
  for (int i = ComponentCount() - 1; i >= 0; --i) {
    if (i >= ComponentCount()) continue;
    FComponents[static_cast<size_t>(i)]->Notification(component, operation);
  }
}

void TComponent::SetDesigning(bool designing, bool setChildren) {
  if (designing) FComponentState.Include(TComponentStateFlag::csDesigning);
  else FComponentState.Exclude(TComponentStateFlag::csDesigning);
  if (setChildren)
    for (TComponent* c : FComponents) c->SetDesigning(designing, true);
}

void TComponent::SetLoading(bool loading) {
  if (loading) FComponentState.Include(TComponentStateFlag::csLoading);
  else FComponentState.Exclude(TComponentStateFlag::csLoading);
}

void TComponent::SetAncestor(bool ancestor) {
  if (ancestor) FComponentState.Include(TComponentStateFlag::csAncestor);
  else FComponentState.Exclude(TComponentStateFlag::csAncestor);
  for (TComponent* c : FComponents) c->SetAncestor(ancestor);
}

void TComponent::SetInline(bool isInline) {
  if (isInline) FComponentState.Include(TComponentStateFlag::csInline);
  else FComponentState.Exclude(TComponentStateFlag::csInline);
}

void TComponent::Loaded() { FComponentState.Exclude(TComponentStateFlag::csLoading); }

bool TComponent::IsValidIdent(const std::string& name) {
  if (name.empty()) return false;
  auto isLetter = [](unsigned char c) { return c == '_' || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') || c >= 0x80; };
  if (!isLetter(static_cast<unsigned char>(name[0]))) return false;
  for (unsigned char c : name)
    if (!isLetter(c) && !(c >= '0' && c <= '9')) return false;
  return true;
}

void TComponent::SetName(const std::string& newName) {
  if (FName == newName) return;
  if (!newName.empty() && !IsValidIdent(newName)) throw EComponentError(Format(HostText::InvalidName, {newName}));
  if (FOwner) FOwner->ValidateRename(this, FName, newName);
  else ValidateRename(nullptr, FName, newName);
  FName = newName;
}

void TComponent::ValidateRename(TComponent* component, const std::string& curName, const std::string& newName) {
  if (component && !SameText(curName, newName) && component->FOwner == this && FindComponent(newName))
    throw EComponentError(Format(HostText::DuplicateName, {newName}));
  if (IsDesigning() && FOwner) FOwner->ValidateRename(component, curName, newName);
}

void TComponentRefBase::Attach(TComponent* target, void* typed) {
  FTypedTarget = target ? typed : nullptr;
  if (FTarget == target) return;
  if (FTarget) {
    auto& refs = FTarget->FWeakRefs;
    refs.erase(std::remove(refs.begin(), refs.end(), this), refs.end());
  }
  FTarget = target;
  if (FTarget) FTarget->FWeakRefs.push_back(this);
}
