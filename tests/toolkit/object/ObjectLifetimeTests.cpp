#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "toolkit/object/ToolkitObject.h"

using namespace toolkit;

namespace {

std::vector<std::string> journal;

class Probe : public ToolkitObject {
public:
    explicit Probe(std::string name) : name(std::move(name)) {}

protected:
    void Init() override { journal.push_back("init " + name); }
    void Destroy() override
    {
        journal.push_back("destroy " + name);
        ToolkitObject::Destroy();
    }

private:
    std::string name;
};

void RecordDestroyEvent(void* userData, ToolkitObject*)
{
    journal.push_back(static_cast<const char*>(userData));
}

// Holds itself while it goes, as a destroy that waits on its own work does.
class SelfHolder : public ToolkitObject {
protected:
    void Destroy() override
    {
        journal.push_back("destroy");
        {
            ObjectReference hold(this);
        }
        FreeObject(this);
        ToolkitObject::Destroy();
    }
};

class ObjectLifetime : public ::testing::Test {
protected:
    void SetUp() override { journal.clear(); }
};

TEST_F(ObjectLifetime, CreateRunsInitAndFreeDestroysOnce)
{
    Probe* probe = CreateObject<Probe>("a");
    FreeObject(probe);
    FreeObject(nullptr);
    EXPECT_EQ(journal, (std::vector<std::string>{"init a", "destroy a"}));
}

TEST_F(ObjectLifetime, FreeWithOneReferenceIsDeferredToTheRelease)
{
    Probe* probe = CreateObject<Probe>("a");
    AddReference(probe);
    FreeObject(probe);
    FreeObject(probe); // a second free while pending changes nothing
    EXPECT_EQ(journal.size(), 1u);
    EXPECT_TRUE(probe->FreePending());
    ReleaseReference(probe);
    EXPECT_EQ(journal.back(), "destroy a");
    EXPECT_EQ(journal.size(), 2u);
}

TEST_F(ObjectLifetime, AReferenceOrAFreeDuringDestroyDoesNotDestroyAgain)
{
    FreeObject(CreateObject<SelfHolder>());
    EXPECT_EQ(journal, std::vector<std::string>{"destroy"});

    // The same when the free was deferred to the last release.
    journal.clear();
    SelfHolder* holder = CreateObject<SelfHolder>();
    AddReference(holder);
    FreeObject(holder);
    ReleaseReference(holder);
    EXPECT_EQ(journal, std::vector<std::string>{"destroy"});
}

TEST_F(ObjectLifetime, TwoReferencesNeedTwoReleases)
{
    Probe* probe = CreateObject<Probe>("a");
    AddReference(probe);
    AddReference(probe);
    FreeObject(probe);
    ReleaseReference(probe);
    EXPECT_EQ(journal.size(), 1u);
    ReleaseReference(probe);
    EXPECT_EQ(journal.back(), "destroy a");
}

TEST_F(ObjectLifetime, ReleasingWithoutAPendingFreeKeepsTheObject)
{
    Probe* probe = CreateObject<Probe>("a");
    {
        ObjectReference held(probe);
    }
    EXPECT_EQ(journal.size(), 1u);
    FreeObject(probe);
    EXPECT_EQ(journal.back(), "destroy a");
}

TEST_F(ObjectLifetime, OnDestroyFiresBeforeOwnedObjectsWhichGoLastAddedFirst)
{
    Probe* owner = CreateObject<Probe>("owner");
    AddOwnedObject(owner, CreateObject<Probe>("first"));
    AddOwnedObject(owner, CreateObject<Probe>("second"));
    AddOwnedObject(owner, CreateObject<Probe>("third"));
    owner->OnDestroy = {RecordDestroyEvent, const_cast<char*>("on destroy")};
    journal.clear();

    FreeObject(owner);

    EXPECT_EQ(journal, (std::vector<std::string>{"destroy owner", "on destroy", "destroy third",
                                                 "destroy second", "destroy first"}));
}

TEST_F(ObjectLifetime, OwnedObjectFreedEarlierByReferenceIsDestroyedOnce)
{
    Probe* owner = CreateObject<Probe>("owner");
    Probe* owned = CreateObject<Probe>("owned");
    AddOwnedObject(owner, owned);
    AddReference(owned);
    FreeObject(owner); // frees the owned object while it is referenced: deferred
    EXPECT_EQ(journal.back(), "destroy owner");
    ReleaseReference(owned);
    EXPECT_EQ(journal.back(), "destroy owned");
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "destroy owned"), 1);
}

TEST(EventSlot, EmptySlotIsNotCalledAndGivesZero)
{
    EventSlot<int(ToolkitObject*, int)> slot{};
    EXPECT_FALSE(slot);
    EXPECT_EQ(slot.Fire(nullptr, 5), 0);
    int seen = 0;
    slot = {[](void* user, ToolkitObject*, int n) { *static_cast<int*>(user) = n; return n * 2; },
            &seen};
    EXPECT_EQ(slot.Fire(nullptr, 21), 42);
    EXPECT_EQ(seen, 21);
}

} // namespace
