#include "support/ExpectRaises.h"
#include "classes/TComponent.h"

#include "classes/TComponentRef.h"
#include "classes/TypInfo.h"
#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Deletes its sibling when it goes, as a component that owns a helper by
// reference might: the owner must not touch the freed sibling afterwards.
class TSiblingKiller : public TComponent {
public:
  TSiblingKiller(TComponent* owner, std::vector<std::string>& log) : TComponent(owner), FLog(log) {}
  ~TSiblingKiller() override {
    FLog.push_back("killer " + Name());
    delete FSibling;
  }
  TComponent* FSibling = nullptr;

private:
  std::vector<std::string>& FLog;
};

class TLoggedComponent : public TComponent {
public:
  TLoggedComponent(TComponent* owner, std::vector<std::string>& log) : TComponent(owner), FLog(log) {}
  ~TLoggedComponent() override { FLog.push_back("gone " + Name()); }

private:
  std::vector<std::string>& FLog;
};

class TWatcher : public TComponent {
public:
  using TComponent::TComponent;
  std::vector<TComponent*> Removed;

protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove) Removed.push_back(component);
  }
};

} // namespace

TEST(TComponent, NamesMustBeIdentifiersAndUniqueUnderOneOwner) {
  TComponent form(nullptr);
  auto* a = new TComponent(&form);
  auto* b = new TComponent(&form);
  a->SetName("Query1");
  EXPECT_THROW(b->SetName("query1"), EComponentError);
  EXPECT_TRUE(TestSupport::Raises<EComponentError>([&] { b->SetName("QUERY1"); },
                                                   "A component named QUERY1 already exists"));
  EXPECT_TRUE(TestSupport::Raises<EComponentError>([&] { b->SetName("1abc"); },
                                                   "'1abc' is not a valid component name"));
  EXPECT_THROW(b->SetName("a b"), EComponentError);
  EXPECT_EQ("", b->Name());
  a->SetName("QUERY1");  // renaming to itself in another case is allowed
  b->SetName("Die_Query1");
  EXPECT_EQ(b, form.FindComponent("die_query1"));
  // A component joining an owner that has its name already is refused too,
  // before it leaves its old owner: it stays there, and is freed with it.
  TComponent other(nullptr);
  auto* c = new TComponent(&other);
  c->SetName("Query1");
  EXPECT_TRUE(TestSupport::Raises<EComponentError>([&] { form.InsertComponent(c); },
                                                   "A component named Query1 already exists"));
  EXPECT_EQ(&other, c->Owner());
  EXPECT_EQ(c, other.FindComponent("Query1"));
  EXPECT_EQ(a, form.FindComponent("Query1"));
}

TEST(TComponent, OwnerDestructionSurvivesADestructorThatFreesASibling) {
  std::vector<std::string> log;
  {
    TComponent form(nullptr);
    auto* victim = new TLoggedComponent(&form, log);
    victim->SetName("Victim");
    auto* killer = new TSiblingKiller(&form, log);
    killer->SetName("Killer");
    killer->FSibling = victim;
    auto* last = new TLoggedComponent(&form, log);
    last->SetName("Last");
    EXPECT_EQ(3, form.ComponentCount());
  }
  EXPECT_EQ((std::vector<std::string>{"gone Last", "killer Killer", "gone Victim"}), log);
}

TEST(TComponent, WeakReferencesClearBeforeTheComponentGoes) {
  TComponent form(nullptr);
  auto* target = new TComponent(&form);
  TComponentRef<TComponent> ref(target);
  TComponentRef<TComponent> copy = ref;
  // A watcher of another form hears of it only through free notification.
  TComponent otherForm(nullptr);
  auto* watcher = new TWatcher(&otherForm);
  target->FreeNotification(watcher);
  delete target;
  EXPECT_EQ(nullptr, ref.Get());
  EXPECT_EQ(nullptr, copy.Get());
  ASSERT_EQ(1u, watcher->Removed.size());
  EXPECT_EQ(target, watcher->Removed[0]);
  EXPECT_EQ(0, form.ComponentCount());
  // A reference that goes first leaves nothing behind in the target.
  auto* second = new TComponent(&form);
  { TComponentRef<TComponent> shortLived(second); }
  delete second;
}

TEST(TComponent, OwnedComponentsHearOfTheirSiblingsRemoval) {
  TComponent form(nullptr);
  auto* watcher = new TWatcher(&form);
  auto* sibling = new TComponent(&form);
  delete sibling;
  ASSERT_EQ(1u, watcher->Removed.size());
  EXPECT_EQ(sibling, watcher->Removed[0]);
}

TEST(TComponent, DesigningPassesToNewComponentsAndNameIsPublished) {
  TComponent form(nullptr);
  form.SetDesigning(true);
  auto* dropped = new TComponent(&form);
  EXPECT_TRUE(dropped->IsDesigning());
  SetStrProp(*dropped, "Name", "Table1");
  EXPECT_EQ("Table1", dropped->Name());
  EXPECT_TRUE(TestSupport::Raises<EPropertyError>([&] { GetStrProp(*dropped, "NoSuchThing"); },
                                                  "Property NoSuchThing does not exist"));
  // Re-inserting moves a component to the end of its owner's list.
  auto* second = new TComponent(&form);
  form.RemoveComponent(dropped);
  form.InsertComponent(dropped);
  EXPECT_EQ(second, form.Components(0));
  EXPECT_EQ(dropped, form.Components(1));
}
