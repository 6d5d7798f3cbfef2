// TComponent's ownership, naming and notification, and the loading bracket.
#include "forms/core/Component.h"

#include <algorithm>
#include <exception>

namespace {
thread_local TComponentLoader* currentLoader = nullptr;

void Erase(std::vector<TComponent*>& list, TComponent* item) {
  list.erase(std::remove(list.begin(), list.end(), item), list.end());
}
}  // namespace

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
  TComponentLoader::Joined(this);
}

TComponent::~TComponent() {
  state_.Include(csDestroying);
  TComponentLoader::Left(this);
  // Partners learn first, while the owner still lists this component.
  std::vector<TComponent*> partners;
  partners.swap(freeNotifies_);
  for (TComponent* partner : partners) {
    Erase(partner->freeNotifies_, this);
    partner->Notification(this, opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::BeforeDestruction() {
  if (!state_.Contains(csDestroying)) Destroying();
}

void TComponent::Destroying() {
  if (state_.Contains(csDestroying)) return;
  state_.Include(csDestroying);
  for (TComponent* c : components_) c->Destroying();
}

void TComponent::DestroyComponents() {
  // The last created goes first, each taken off the list before it is freed.
  while (!components_.empty()) {
    TComponent* victim = components_.back();
    components_.pop_back();
    victim->owner_ = nullptr;
    victim->Free();
  }
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) throw EListError(SListIndexError, index);
  return components_[index];
}

int TComponent::ComponentIndex() const {
  if (!owner_) return -1;
  auto& list = owner_->components_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (SameText(c->name_, name)) return c;
  return nullptr;
}

void TComponent::ValidateName(const std::string& name) const {
  for (size_t i = 0; i < name.size(); ++i) {
    char c = name[i];
    bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    if (!letter && !(i > 0 && c >= '0' && c <= '9')) throw EComponentError(SInvalidName, name);
  }
  if (owner_ && !name.empty()) {
    TComponent* other = owner_->FindComponent(name);
    if (other && other != this) throw EComponentError(SDuplicateName, name);
  }
}

void TComponent::SetName(const std::string& name) {
  if (name == name_) return;
  ValidateName(name);
  name_ = name;
}

void TComponent::SetDesigning(bool designing) {
  if (designing) state_.Include(csDesigning);
  else state_.Exclude(csDesigning);
  for (TComponent* c : components_) c->SetDesigning(designing);
}

void TComponent::InsertComponent(TComponent* component) {
  if (component->owner_) component->owner_->RemoveComponent(component);
  component->ValidateName(component->name_);
  components_.push_back(component);
  component->owner_ = this;
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  Notification(component, opRemove);
  Erase(components_, component);
  component->owner_ = nullptr;
}

void TComponent::FreeNotification(TComponent* other) {
  if (!other || other == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end()) {
    freeNotifies_.push_back(other);
    other->FreeNotification(this);
  }
  state_.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
  Erase(freeNotifies_, other);
  Erase(other->freeNotifies_, this);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component) RemoveFreeNotification(component);
  // A copy: a handler may free components of this one.
  std::vector<TComponent*> owned = components_;
  for (TComponent* c : owned)
    if (std::find(components_.begin(), components_.end(), c) != components_.end())
      c->Notification(component, operation);
}

void TComponent::Loaded() { state_.Exclude(csLoading); }

// The loading bracket. Every live bracket of the thread is on one chain, innermost
// first, so that a component freed while any of them runs is forgotten by all.

TComponentLoader::TComponentLoader(TComponent* root) : root_(root), outer_(currentLoader) {
  root_->state_ += {csLoading, csReading};
  loaded_.push_back(root_);
  currentLoader = this;
}

TComponentLoader::~TComponentLoader() {
  for (TComponentLoader** link = &currentLoader; *link; link = &(*link)->outer_)
    if (*link == this) {
      *link = outer_;
      break;
    }
  if (!finished_)
    for (TComponent* c : loaded_) c->state_ -= {csLoading, csReading};
}

void TComponentLoader::Joined(TComponent* component) {
  TComponentLoader* loader = currentLoader;
  while (loader && loader->finished_) loader = loader->outer_;
  if (!loader || component->owner_ != loader->root_) return;
  component->state_ += {csLoading, csReading};
  loader->loaded_.push_back(component);
}

void TComponentLoader::Left(TComponent* component) {
  for (TComponentLoader* l = currentLoader; l; l = l->outer_) Erase(l->loaded_, component);
}

void TComponentLoader::Finish() {
  if (finished_) return;
  finished_ = true;
  for (TComponent* c : loaded_) c->state_.Exclude(csReading);
  std::exception_ptr first;
  // Loaded() may free components of the bracket: Left() takes them off loaded_,
  // and the walk over the copy skips them.
  std::vector<TComponent*> order = loaded_;
  for (TComponent* c : order) {
    if (std::find(loaded_.begin(), loaded_.end(), c) == loaded_.end()) continue;
    try {
      c->Loaded();
    } catch (...) {
      if (!first) first = std::current_exception();
    }
  }
  loaded_.clear();
  if (first) std::rethrow_exception(first);
}
