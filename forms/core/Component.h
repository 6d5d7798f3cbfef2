// TComponent: ownership (an owner frees what it owns), names, the component state with
// the loading protocol, and free notification. TComponentLoader is the loading bracket
// in which a form builds its components as its form description would.
#pragma once

#include <string>
#include <vector>

#include "forms/core/Persistent.h"
#include "forms/core/Sets.h"

enum TComponentStateItem {
  csLoading,     // between creation inside a loading bracket and Loaded()
  csReading,     // while the bracket is open (properties are being assigned)
  csWriting,
  csDestroying,  // from BeforeDestruction on
  csDesigning,   // the component is in a designer; the programs never set it
  csAncestor,
  csUpdating,
  csFixups,
  csFreeNotification,
  csInline,
  csDesignInstance
};
using TComponentState = TSet<TComponentStateItem>;

enum TOperation { opInsert, opRemove };

class TComponentLoader;

class TComponent : public TPersistent {
public:
  // An owner frees the component with itself; nil makes the caller responsible.
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  void BeforeDestruction() override;

  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const;
  int ComponentIndex() const;
  TComponent* FindComponent(const std::string& name) const;  // among the owned, ignoring case

  const std::string& Name() const { return name_; }
  // Raises EComponentError when the owner already has a component of that name.
  virtual void SetName(const std::string& name);

  TComponentState ComponentState() const { return state_; }
  // Puts the component and everything it owns into (or out of) the designer state.
  void SetDesigning(bool designing);

  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);

  // Asks to be told (Notification with opRemove) when Other is destroyed; both ways.
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);

  // Called on owners and free-notification partners when a component is inserted or
  // removed; the default passes it on to everything this component owns.
  virtual void Notification(TComponent* component, TOperation operation);

protected:
  // Runs once the loading bracket that created the component has assigned every
  // property of every component in it; the default clears csLoading.
  virtual void Loaded();
  // Marks this component and those it owns as being destroyed.
  virtual void Destroying();

private:
  friend class TComponentLoader;
  void DestroyComponents();
  void ValidateName(const std::string& name) const;

  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  std::string name_;
  TComponentState state_;
};

// The loading bracket. Opened in a root's constructor (a form), it puts the root and
// every component created on this thread with the root as owner into csLoading and
// csReading; Finish() clears csReading on all of them and then calls Loaded() on each
// in creation order, the root first. An exception from one Loaded() does not keep the
// others from loading; the first is passed on once all have run. A bracket left
// without Finish() (an exception in the constructor) clears the states silently.
class TComponentLoader {
public:
  explicit TComponentLoader(TComponent* root);
  ~TComponentLoader();
  TComponentLoader(const TComponentLoader&) = delete;
  TComponentLoader& operator=(const TComponentLoader&) = delete;

  void Finish();

private:
  friend class TComponent;
  static void Joined(TComponent* component);  // from TComponent's constructor
  static void Left(TComponent* component);    // from TComponent's destructor

  TComponent* root_;
  std::vector<TComponent*> loaded_;
  TComponentLoader* outer_;
  bool finished_ = false;
};
