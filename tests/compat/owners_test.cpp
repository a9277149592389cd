// The two owners every holder in the tree is built on: a handle closed once, by its last owner,
// with what it was given to close it; a COM pointer that holds one reference and lets go of it
// before the release can call back.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "compat/com_ptr.h"
#include "compat/unique_handle.h"

namespace {

// Each close is recorded as closer * 100 + handle; 0 holds nothing.
std::vector<int> g_closed;

struct RecordedTraits {
  using Handle = int;
  static Handle Empty() { return 0; }
  void Close(Handle handle) const { g_closed.push_back(closer * 100 + handle); }
  int closer = 1;
};
using RecordedHandle = UniqueHandle<RecordedTraits>;

TEST(UniqueHandle, ClosesEachHandleOnceByItsLastOwnerWithTheCloserItCameWith) {
  g_closed.clear();
  {
    RecordedHandle first(3, RecordedTraits{7});
    RecordedHandle second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(first.get(), 0);
    RecordedHandle third(5, RecordedTraits{8});
    third = std::move(second);
    EXPECT_FALSE(second);
    EXPECT_EQ(g_closed, std::vector<int>{805}) << "the handle it held, by its own closer";
    third.reset(4);
    EXPECT_EQ(g_closed, (std::vector<int>{805, 703}));
    RecordedHandle kept(6);
    EXPECT_EQ(kept.release(), 6);
    RecordedHandle none;
    none.reset();
  }
  EXPECT_EQ(g_closed, (std::vector<int>{805, 703, 704})) << "released and empty ones stay open";
}

// A COM object that counts its references, and records how often they ran out and what its
// holder showed while releasing.
struct CountedObject {
  unsigned long AddRef() { return static_cast<unsigned long>(++references); }
  unsigned long Release() {
    if (holder != nullptr) heldDuringRelease = holder->get();
    if (--references == 0) ++destroyed;
    return static_cast<unsigned long>(references);
  }
  int references = 1;  // its creator's
  int destroyed = 0;
  ComPtr<CountedObject>* holder = nullptr;
  CountedObject* heldDuringRelease = nullptr;
};

TEST(ComPtr, EachHolderHasOneReferenceAndTheLastReleasesIt) {
  CountedObject object;
  {
    ComPtr<CountedObject> adopted = ComPtr<CountedObject>::Adopt(&object);
    EXPECT_EQ(object.references, 1) << "adopting takes the creator's reference";
    adopted = adopted.get();
    EXPECT_EQ(object.destroyed, 0) << "sharing its own object released it first";
    ComPtr<CountedObject> copy(adopted);
    EXPECT_EQ(object.references, 2);
    ComPtr<CountedObject> moved(std::move(copy));
    EXPECT_FALSE(copy);
    EXPECT_EQ(object.references, 2);
    moved.reset();
    moved.reset();
    EXPECT_EQ(object.references, 1);
  }
  EXPECT_EQ(object.references, 0);
  EXPECT_EQ(object.destroyed, 1);
}

TEST(ComPtr, LetsGoBeforeReleasingAndPutTakesTheNewReference) {
  CountedObject first, second;
  ComPtr<CountedObject> held = ComPtr<CountedObject>::Adopt(&first);
  first.holder = &held;
  CountedObject** slot = held.put();
  EXPECT_EQ(first.references, 0);
  EXPECT_EQ(first.heldDuringRelease, nullptr) << "the object saw itself still held";
  EXPECT_EQ(*slot, nullptr);
  *slot = &second;  // as CoCreateInstance or QueryInterface hands out a reference
  EXPECT_EQ(held.get(), &second);
  held.reset();
  EXPECT_EQ(second.references, 0);
}

}  // namespace
