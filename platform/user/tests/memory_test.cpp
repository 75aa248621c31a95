#include "fixture.h"

#include "win/kernel.h"
#include "win/memory.h"

#include <cstring>

namespace platform::user::testing {
namespace {

class MemoryTest : public WindowTest {};

TEST_F(MemoryTest, AtomsAreCountedAndFoundWithoutRegardToCase) {
    ATOM a = GlobalAddAtomA("Progman");
    ASSERT_GE(a, 0xC000);
    EXPECT_EQ(GlobalAddAtomA("PROGMAN"), a);
    EXPECT_EQ(GlobalFindAtomA("progman"), a);
    char name[16];
    EXPECT_EQ(GlobalGetAtomNameA(a, name, sizeof name), 7u);
    EXPECT_STREQ(name, "Progman");
    EXPECT_EQ(GlobalDeleteAtom(a), 0);
    EXPECT_EQ(GlobalFindAtomA("Progman"), a);  // one reference left
    EXPECT_EQ(GlobalDeleteAtom(a), 0);
    EXPECT_EQ(GlobalFindAtomA("Progman"), 0);
    EXPECT_EQ(GlobalDeleteAtom(a), a);
}

TEST_F(MemoryTest, IntegerAtomsAreTheirOwnValue) {
    struct Case {
        const char* name;
        ATOM atom;
    } cases[] = {{"#123", 123}, {"#0", 0}, {"#49152", 0}, {"#99999", 0}};
    for (const Case& c : cases) EXPECT_EQ(GlobalAddAtomA(c.name), c.atom) << c.name;
    char name[8];
    EXPECT_EQ(GlobalGetAtomNameA(42, name, sizeof name), 3u);
    EXPECT_STREQ(name, "#42");
}

TEST_F(MemoryTest, SharedBlocksAreZeroedSizedAndFreedOnce) {
    HGLOBAL block = GlobalAlloc(GMEM_DDESHARE | GMEM_MOVEABLE | GMEM_ZEROINIT, 12);
    ASSERT_TRUE(block);
    EXPECT_EQ(GlobalSize(block), 12u);
    char* bytes = static_cast<char*>(GlobalLock(block));
    ASSERT_TRUE(bytes);
    EXPECT_EQ(std::memcmp(bytes, "\0\0\0\0\0\0\0\0\0\0\0\0", 12), 0);
    std::strcpy(bytes, "[Hello()]");
    EXPECT_FALSE(GlobalUnlock(block));
    EXPECT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(GlobalFree(block), block);
    EXPECT_EQ(GlobalLock(block), nullptr);
}

TEST_F(MemoryTest, PrivateBlocks) {
    HGLOBAL moveable = GlobalAlloc(GHND, 5);
    HGLOBAL fixed = GlobalAlloc(GPTR, 5);
    ASSERT_TRUE(moveable && fixed);
    EXPECT_EQ(GlobalLock(fixed), fixed);
    void* p = GlobalLock(moveable);
    ASSERT_TRUE(p);
    EXPECT_NE(p, moveable);
    EXPECT_TRUE(GlobalLock(moveable));
    EXPECT_TRUE(GlobalUnlock(moveable));   // still locked once
    EXPECT_FALSE(GlobalUnlock(moveable));  // now unlocked
    EXPECT_EQ(GlobalFree(moveable), nullptr);
    EXPECT_EQ(GlobalFree(fixed), nullptr);
}

TEST_F(MemoryTest, DdeParametersPackIntoASharedPairOnlyForTheMessagesThatNeedIt) {
    struct Case {
        UINT message;
        bool packed;
    } cases[] = {{WM_DDE_ACK, true},        {WM_DDE_DATA, true},     {WM_DDE_POKE, true}, {WM_DDE_ADVISE, true},
                 {WM_DDE_INITIATE, false}, {WM_DDE_REQUEST, false}, {WM_DDE_TERMINATE, false}};
    for (const Case& c : cases) {
        UINT_PTR high = c.packed ? 0x123456789ull : 0xC001;
        LPARAM l = PackDDElParam(c.message, 0x8000, high);
        UINT_PTR lo = 0, hi = 0;
        ASSERT_TRUE(UnpackDDElParam(c.message, l, &lo, &hi)) << c.message;
        EXPECT_EQ(lo, 0x8000u) << c.message;
        EXPECT_EQ(hi, high) << c.message;
        if (!c.packed) {
            EXPECT_EQ(l, MAKELPARAM(0x8000, 0xC001));
        }
        EXPECT_TRUE(FreeDDElParam(c.message, l));
    }
}

}  // namespace
}  // namespace platform::user::testing
