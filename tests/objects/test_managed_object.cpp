#include "engine/objects/managed_object.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/platform/message_box.h"

namespace {

// Records its deletion and the events it receives into shared logs.
class Probe : public CManagedObjectBase {
 public:
  Probe(const char* name, std::vector<std::string>* log) : CManagedObjectBase(name), m_Log(log) {}
  ~Probe() override {
    if (m_Log != nullptr) m_Log->push_back(std::string("deleted ") + GetName());
  }
  const char* GetClassName() const override { return "Probe"; }
  void OnNotify(int event, CManagedObjectBase* sender) override {
    if (m_Log != nullptr) {
      m_Log->push_back(std::string(GetName()) + " got " + std::to_string(event) + " from " +
                       sender->GetName());
    }
    if (onNotify) onNotify();
  }
  std::function<void()> onNotify;

 private:
  std::vector<std::string>* m_Log;
};

class ManagedObjectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bv::SetMessageBoxMode(bv::MessageBoxMode::Capture);
    bv::ClearShownMessages();
  }
  std::vector<std::string> Alerts() const {
    std::vector<std::string> texts;
    for (const auto& message : bv::ShownMessages()) {
      EXPECT_EQ(message.caption, "Alert");
      texts.push_back(message.text);
    }
    return texts;
  }
};

TEST_F(ManagedObjectTest, GeneratedNamesAreHexLeastSignificantDigitFirst) {
  const std::pair<int, const char*> cases[] = {
      {0, "0"}, {9, "9"}, {10, "a"}, {26, "a1"}, {255, "ff"}, {256, "001"},
      {0x12345, "54321"}, {-1, "ffffffff"},
  };
  for (const auto& [id, name] : cases) EXPECT_EQ(CManagedObjectBase::MakeIdName(id), name) << id;
}

TEST_F(ManagedObjectTest, IdsComeFromOneCounterInCreationOrder) {
  const int first = CManagedObjectBase::PeekNextId();
  CManagedObjectBase unnamed;
  CManagedObjectBase named("given");
  CManagedObjectBase another;
  EXPECT_EQ(unnamed.GetId(), first);
  EXPECT_EQ(named.GetId(), first + 1) << "named objects take an id too";
  EXPECT_EQ(another.GetId(), first + 2);
  EXPECT_EQ(unnamed.GetNameString(), CManagedObjectBase::MakeIdName(first));
  EXPECT_STREQ(named.GetName(), "given");
  EXPECT_STREQ(named.GetClassName(), "CManagedObjectBase");
  EXPECT_EQ(unnamed.m_pUser, nullptr);
  EXPECT_FALSE(unnamed.m_bDead);
  named.SetName("renamed");
  EXPECT_STREQ(named.GetName(), "renamed");
  EXPECT_EQ(named.GetId(), first + 1);
}

TEST_F(ManagedObjectTest, NotifyCallsListenersInOrderOfAddition) {
  std::vector<std::string> log;
  CManagedObjectBase sender("s");
  sender.Notify(1);  // no listeners: nothing
  Probe a("a", &log), b("b", &log);
  sender.AddListener(&b);
  sender.AddListener(&a);
  sender.AddListener(&b);
  sender.Notify(7);
  EXPECT_EQ(log, (std::vector<std::string>{"b got 7 from s", "a got 7 from s", "b got 7 from s"}));

  log.clear();
  sender.RemoveListener(&b);  // every occurrence
  sender.Notify(2);
  EXPECT_EQ(log, (std::vector<std::string>{"a got 2 from s"}));
  sender.ClearListeners();
  sender.Notify(3);
  EXPECT_EQ(log.size(), 1u);
}

TEST_F(ManagedObjectTest, ListenersChangedDuringNotify) {
  std::vector<std::string> log;
  CManagedObjectBase sender("s");
  Probe a("a", &log), b("b", &log), late("late", &log);
  // a removes b (not yet called) and adds late: b is skipped, late is
  // called in the same pass.
  a.onNotify = [&] {
    sender.RemoveListener(&b);
    sender.AddListener(&late);
    a.onNotify = nullptr;
  };
  sender.AddListener(&a);
  sender.AddListener(&b);
  sender.Notify(5);
  EXPECT_EQ(log, (std::vector<std::string>{"a got 5 from s", "late got 5 from s"}));
  EXPECT_EQ(sender.GetListeners().size(), 2u) << "the removed entry is dropped after the pass";

  // A listener that removes itself (as a deleted behaviour does).
  log.clear();
  late.onNotify = [&] { sender.RemoveListener(&late); };
  sender.Notify(6);
  sender.Notify(8);
  EXPECT_EQ(log, (std::vector<std::string>{"a got 6 from s", "late got 6 from s", "a got 8 from s"}));
}

TEST_F(ManagedObjectTest, ListOwnsItsObjectsAndFindsThemByNameAndId) {
  std::vector<std::string> log;
  auto list = std::make_unique<CManagedObjectList>();
  Probe* first = new Probe("one", &log);
  Probe* second = new Probe("two", &log);
  EXPECT_TRUE(list->AddObject(first));
  EXPECT_TRUE(list->AddObject(second));
  EXPECT_EQ(list->GetObjectByName("one"), first);
  EXPECT_EQ(list->GetObjectById(second->GetId()), second);
  EXPECT_EQ(list->GetFirstById(), first);
  EXPECT_EQ(list->GetCount(), 2u);
  EXPECT_TRUE(Alerts().empty());

  const int firstId = first->GetId();
  list->RemoveObjectByName("one");
  EXPECT_EQ(log, (std::vector<std::string>{"deleted one"}));
  EXPECT_EQ(list->GetObjectById(firstId), nullptr);
  EXPECT_EQ(list->FindObjectByName("one"), nullptr);
  list->RemoveObjectByName("missing");  // silent
  EXPECT_TRUE(Alerts().empty());

  list.reset();  // the destructor deletes what is left
  EXPECT_EQ(log, (std::vector<std::string>{"deleted one", "deleted two"}));
}

TEST_F(ManagedObjectTest, DuplicateNameKeepsTheFirstAndDeletesTheNewcomer) {
  std::vector<std::string> log;
  CManagedObjectList list;
  Probe* kept = new Probe("match", &log);
  list.AddObject(kept);
  EXPECT_FALSE(list.AddObject(new Probe("match", &log)));
  EXPECT_EQ(Alerts(), (std::vector<std::string>{"TRYING TO ADD EXISTING OBJECT, DELETED! match\n"}));
  EXPECT_EQ(log, (std::vector<std::string>{"deleted match"}));
  EXPECT_EQ(list.GetObjectByName("match"), kept);
  EXPECT_EQ(list.GetCount(), 1u);
  EXPECT_EQ(list.GetIdIndex().size(), 1u);
}

TEST_F(ManagedObjectTest, MissingNameIsShownOnEveryLookup) {
  CManagedObjectList list;
  list.AddObject(new CManagedObjectBase("Here"));
  EXPECT_EQ(list.GetObjectByName("here"), nullptr) << "names are case-sensitive";
  EXPECT_EQ(list.GetObjectByName("here"), nullptr);
  EXPECT_EQ(list.FindObjectByName("nowhere"), nullptr);  // the silent lookup
  EXPECT_EQ(Alerts(), (std::vector<std::string>{"GetObjectByName, Object not found : here",
                                                "GetObjectByName, Object not found : here"}));
  // A long name is shown whole.
  const std::string longName(300, 'x');
  bv::ClearShownMessages();
  list.GetObjectByName(longName);
  EXPECT_EQ(Alerts(), (std::vector<std::string>{"GetObjectByName, Object not found : " + longName}));
}

TEST_F(ManagedObjectTest, ClearDeletesInByteOrderOfNames) {
  std::vector<std::string> log;
  CManagedObjectList list;
  for (const char* name : {"b", "ab", "a", "B", "\xE9t\xE9"}) list.AddObject(new Probe(name, &log));
  list.Clear();
  EXPECT_EQ(log, (std::vector<std::string>{"deleted B", "deleted a", "deleted ab", "deleted b",
                                           "deleted \xE9t\xE9"}));
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_TRUE(list.GetIdIndex().empty());
}

TEST_F(ManagedObjectTest, IdIndexWalksInCreationOrder) {
  CManagedObjectList list;
  std::vector<CManagedObjectBase*> made;
  for (const char* name : {"zeta", "alpha", "mid"}) {
    made.push_back(new CManagedObjectBase(name));
    list.AddObject(made.back());
  }
  std::vector<CManagedObjectBase*> walked;
  for (const auto& entry : list.GetIdIndex()) walked.push_back(entry.second);
  EXPECT_EQ(walked, made);
}

}  // namespace
