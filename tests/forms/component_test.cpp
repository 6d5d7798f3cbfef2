// Components: ownership frees what is owned, free notification, the loading bracket
// and Loaded() order, collections with typed access.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/core/Classes.h"

namespace {

std::vector<std::string> journal;

class TProbe : public TComponent {
public:
  TProbe(TComponent* owner, std::string tag) : TComponent(owner), tag_(std::move(tag)) {}
  ~TProbe() override { journal.push_back("free " + tag_); }

  // A property that, like the frame timer's Enabled, acts at once unless loading.
  void SetActive(bool active) {
    active_ = active;
    if (!ComponentState().Contains(csLoading)) running = active;
  }
  bool running = false;
  bool stateAtLoaded = false;
  TComponent* watched = nullptr;
  bool throwInLoaded = false;

  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    if (op == opRemove && c == watched) watched = nullptr;
  }

protected:
  void Loaded() override {
    stateAtLoaded = ComponentState().Contains(csLoading) && !ComponentState().Contains(csReading);
    TComponent::Loaded();
    journal.push_back("loaded " + tag_);
    if (active_) running = true;
    if (throwInLoaded) throw EComponentError("failed " + tag_);
  }

private:
  std::string tag_;
  bool active_ = false;
};

TEST(Component, OwnerFreesOwnedComponentsLastCreatedFirst) {
  journal.clear();
  auto* root = new TProbe(nullptr, "root");
  auto* a = new TProbe(root, "a");
  new TProbe(a, "a1");
  new TProbe(root, "b");
  EXPECT_EQ(root->ComponentCount(), 2);
  EXPECT_EQ(a->Owner(), root);
  root->Free();
  EXPECT_EQ(journal, (std::vector<std::string>{"free root", "free b", "free a", "free a1"}));
}

TEST(Component, FreeingAnOwnedComponentTakesItOffItsOwner) {
  journal.clear();
  TProbe root(nullptr, "root");
  auto* a = new TProbe(&root, "a");
  new TProbe(&root, "b");
  a->Free();
  ASSERT_EQ(root.ComponentCount(), 1);
  EXPECT_EQ(root.Components(0)->ClassName(), "TProbe");
  EXPECT_THROW(root.Components(1), EListError);
}

TEST(Component, FreeNotificationClearsTheWatchersReference) {
  TProbe watcher(nullptr, "w");
  auto* target = new TProbe(nullptr, "t");
  watcher.watched = target;
  target->FreeNotification(&watcher);
  target->Free();
  EXPECT_EQ(watcher.watched, nullptr);
}

TEST(Component, NamesAreUniqueWithinTheOwner) {
  TProbe root(nullptr, "root");
  auto* a = new TProbe(&root, "a");
  a->SetName("DXTimer1");
  auto* b = new TProbe(&root, "b");
  try {
    b->SetName("dxtimer1");
    FAIL();
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), Format(SDuplicateName, "dxtimer1"));
  }
  EXPECT_EQ(root.FindComponent("DXTIMER1"), a);
  EXPECT_THROW(b->SetName("1st"), EComponentError);
}

// A form-like root that builds its components inside the loading bracket.
class TBuiltRoot : public TProbe {
public:
  TProbe* first;
  TProbe* second;
  TProbe* inner = nullptr;
  bool runningDuringBracket = true;

  explicit TBuiltRoot(bool failFirst) : TProbe(nullptr, "root") {
    TComponentLoader loader(this);
    first = new TProbe(this, "first");
    first->throwInLoaded = failFirst;
    first->SetActive(true);
    runningDuringBracket = first->running;
    // Owned by a component, not by the root: not part of this bracket.
    inner = new TProbe(first, "inner");
    second = new TProbe(this, "second");
    loader.Finish();
  }
};

TEST(ComponentLoader, LoadedRunsInCreationOrderAfterAllPropertiesAreSet) {
  journal.clear();
  TBuiltRoot root(false);
  EXPECT_EQ(journal, (std::vector<std::string>{"loaded root", "loaded first", "loaded second"}));
  EXPECT_FALSE(root.runningDuringBracket);
  EXPECT_TRUE(root.first->running);
  EXPECT_TRUE(root.first->stateAtLoaded);
  EXPECT_FALSE(root.first->ComponentState().Contains(csLoading));
  EXPECT_FALSE(root.inner->ComponentState().Contains(csLoading));
  // Created outside a bracket, the component acts at once.
  TProbe loose(nullptr, "loose");
  loose.SetActive(true);
  EXPECT_TRUE(loose.running);
}

TEST(ComponentLoader, OneFailingLoadedStillLoadsTheOthers) {
  journal.clear();
  try {
    TBuiltRoot root(true);
    FAIL();
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "failed first");
  }
  EXPECT_EQ(journal[2], "loaded second");
}

class TItem : public TCollectionItem {
public:
  using TCollectionItem::TCollectionItem;
  int value = 0;
};
class TOtherItem : public TCollectionItem {
public:
  using TCollectionItem::TCollectionItem;
};

TEST(Collection, AddsItemsOfItsClassAndRaisesInvalidCastForOthers) {
  TCollection items(CollectionItemClass<TItem>());
  auto* a = static_cast<TItem*>(items.Add());
  a->value = 3;
  new TOtherItem(&items);
  EXPECT_EQ(items.Count(), 2);
  EXPECT_EQ(items.ItemsAs<TItem>(0)->value, 3);
  try {
    items.ItemsAs<TItem>(1);
    FAIL();
  } catch (const EInvalidCast& e) {
    EXPECT_EQ(e.Message(), SInvalidCast);
  }
  EXPECT_THROW(items.Items(2), EListError);
  items.Delete(0);
  EXPECT_EQ(items.Count(), 1);
  EXPECT_EQ(items.Items(0)->Index(), 0);
}

TEST(StringList, SortedCaseInsensitiveLookupKeepsObjects) {
  TStringList list;
  list.SetSorted(true);
  int marker = 0;
  list.AddObject("ddraw.dll", &marker);
  list.Add("dsound.dll");
  list.Add("DDRAW.DLL");  // dupIgnore: the existing entry stays
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.IndexOf("DDraw.dll"), 0);
  EXPECT_EQ(list.Objects(list.IndexOf("DDRAW.dll")), &marker);
  EXPECT_EQ(list.IndexOf("d3drm.dll"), -1);
  list.SetDuplicates(dupError);
  EXPECT_THROW(list.Add("dsound.DLL"), EStringListError);
}

TEST(StringList, TextAndValues) {
  TStringList list;
  list.SetText("a=1\r\nb=2\nc");
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Values("B"), "2");
  list.SetValues("a", "");
  EXPECT_EQ(list.Text(), "b=2\r\nc\r\n");
}

}  // namespace
