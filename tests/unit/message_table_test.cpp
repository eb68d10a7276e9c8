#include "catalogue/message_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// Little-endian byte builder for hand-made tables.
struct Bytes {
    std::vector<unsigned char> data;
    Bytes& u16(std::uint32_t v) {
        data.push_back(static_cast<unsigned char>(v));
        data.push_back(static_cast<unsigned char>(v >> 8));
        return *this;
    }
    Bytes& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    // An 8-bit entry whose text is padded to a multiple of four bytes.
    Bytes& entry(const char* text, std::uint16_t flags = 0) {
        std::size_t n = 0;
        while (text[n] != '\0')
            ++n;
        const std::size_t length = (4 + n + 1 + 3) / 4 * 4;
        u16(static_cast<std::uint32_t>(length)).u16(flags);
        for (std::size_t i = 0; i < length - 4; ++i)
            data.push_back(i < n ? static_cast<unsigned char>(text[i]) : 0);
        return *this;
    }
    std::size_t size() const { return data.size(); }
};

std::vector<MessageId> Walk(const std::vector<unsigned char>& bytes) {
    std::vector<MessageId> ids;
    WalkMessageTable(
        bytes.data(), bytes.size(),
        [](void* context, MessageId id) {
            static_cast<std::vector<MessageId>*>(context)->push_back(id);
        },
        &ids);
    return ids;
}

using Ids = std::vector<MessageId>;

TEST(MessageTableWalk, VisitsEveryIdentifierOfEveryBlockInFileOrder) {
    Bytes t;
    t.u32(2).u32(1000).u32(1002).u32(28).u32(2000).u32(2000).u32(0);
    t.entry("a").entry("b").entry("c");
    t.data[24] = static_cast<unsigned char>(t.size()); // second block's entry offset
    t.entry("d");
    EXPECT_EQ(Walk(t.data), (Ids{1000, 1001, 1002, 2000}));
}

TEST(MessageTableWalk, ZeroLengthWordShiftsTheEntryByTwoBytes) {
    Bytes t;
    t.u32(1).u32(7).u32(8).u32(16);
    t.u16(0); // padding word before the first entry
    t.entry("first").entry("second");
    EXPECT_EQ(Walk(t.data), (Ids{7, 8}));
}

TEST(MessageTableWalk, UnicodeEntryEndsOnlyItsOwnBlock) {
    Bytes t;
    t.u32(2).u32(1).u32(5).u32(28).u32(9).u32(9).u32(0);
    t.entry("one").entry("two").entry("three", 1).entry("four").entry("five");
    t.data[24] = static_cast<unsigned char>(t.size());
    t.entry("nine");
    EXPECT_EQ(Walk(t.data), (Ids{1, 2, 9}));
}

TEST(MessageTableWalk, HighestBelowLowestWrapsButStaysInsideTheResource) {
    Bytes t;
    t.u32(1).u32(5).u32(4).u32(16).entry("x"); // remaining = 0: nothing
    EXPECT_TRUE(Walk(t.data).empty());
    Bytes u;
    u.u32(1).u32(6).u32(4).u32(16).entry("x").entry("y"); // remaining = 0xFFFFFFFF
    EXPECT_EQ(Walk(u.data), (Ids{6, 7}));
}

TEST(MessageTableWalk, SignedBoundaryIdentifiersPassThrough) {
    Bytes t;
    t.u32(1).u32(0x80000001u).u32(0x80000001u).u32(16).entry("m");
    EXPECT_EQ(Walk(t.data), (Ids{0x80000001u}));
}

// Malformed tables: every read stays inside the resource and what came before stays.
struct Malformed {
    const char* name;
    Bytes table;
    Ids expected;
};

std::vector<Malformed> MalformedCases() {
    std::vector<Malformed> cases;
    cases.push_back({"shorter than a block count", Bytes{}.u16(1), {}});
    cases.push_back({"block count beyond the records", Bytes{}.u32(0xFFFFFFFFu), {}});
    {
        Bytes t;
        // Two bare 4-byte entries after two records: the third record would end at 40.
        t.u32(3).u32(1).u32(1).u32(28).u32(2).u32(2).u32(32);
        t.u16(4).u16(0).u16(4).u16(0);
        cases.push_back({"third block record cut off", t, {1, 2}});
    }
    {
        Bytes t;
        t.u32(2).u32(1).u32(1).u32(0xFFFFFFF0u).u32(2).u32(2).u32(28).entry("b");
        cases.push_back({"block offset outside, next block still read", t, {2}});
    }
    {
        Bytes t;
        t.u32(1).u32(1).u32(3).u32(16).entry("a");
        t.u16(8); // half an entry header at the end
        cases.push_back({"entry header cut off", t, {1}});
    }
    {
        Bytes t;
        t.u32(1).u32(1).u32(3).u32(16).entry("a").u16(0x4000).u16(0).u32(0);
        cases.push_back({"entry length beyond the end", t, {1}});
    }
    {
        Bytes t;
        t.u32(1).u32(1).u32(3).u32(16).entry("a").u16(0);
        cases.push_back({"padding word as the last two bytes", t, {1}});
    }
    {
        Bytes t;
        t.u32(1).u32(0).u32(0xFFFFFFFEu).u32(16).u32(0).u32(0);
        cases.push_back({"zero words are no entries", t, {}});
    }
    return cases;
}

TEST(MessageTableWalk, MalformedTablesEndTheBlockOrTableWithoutReadingOutside) {
    for (const Malformed& c : MalformedCases()) {
        // An exact-size copy, so the sanitizer sees any read past the end.
        std::vector<unsigned char> exact(c.table.data);
        EXPECT_EQ(Walk(exact), c.expected) << c.name;
    }
}

TEST(MessageTableWalk, NullOrEmptyDataVisitsNothing) {
    EXPECT_EQ(WalkMessageTable(
                  nullptr, 100, [](void*, MessageId) { FAIL(); }, nullptr),
              0u);
    const unsigned char one = 1;
    EXPECT_EQ(WalkMessageTable(
                  &one, 0, [](void*, MessageId) { FAIL(); }, nullptr),
              0u);
}

} // namespace

TEST(MessageTableEntry, FindsTheTextOfAnIdentifierInsideItsEntry) {
    Bytes t;
    t.u32(2).u32(1).u32(2).u32(28).u32(9).u32(9).u32(0);
    t.entry("one").entry("two");
    t.data[24] = static_cast<unsigned char>(t.size());
    t.u16(8).u16(1).u32(0x00780078); // 9: UTF-16
    std::uint16_t flags = 7;
    const char* text = nullptr;
    std::size_t length = 0;
    ASSERT_TRUE(FindMessageEntry(t.data.data(), t.size(), 2, &flags, &text, &length));
    EXPECT_EQ(flags, 0);
    EXPECT_EQ(std::string(text, length), "two");
    ASSERT_TRUE(FindMessageEntry(t.data.data(), t.size(), 9, &flags, &text, &length));
    EXPECT_EQ(flags, 1);
    EXPECT_FALSE(FindMessageEntry(t.data.data(), t.size(), 3, &flags, &text, &length));
    // A text without a zero byte ends with its entry.
    Bytes u;
    u.u32(1).u32(5).u32(5).u32(16).u16(8).u16(0).u32(0x64636261);
    ASSERT_TRUE(FindMessageEntry(u.data.data(), u.size(), 5, &flags, &text, &length));
    EXPECT_EQ(std::string(text, length), "abcd");
}

TEST(MessageTableWalk, AnEntryShorterThanItsHeaderEndsTheBlock) {
    Bytes t;
    t.u32(2).u32(1).u32(3).u32(28).u32(9).u32(9).u32(0);
    t.entry("a").u16(2).u16(0).u32(0); // a 2-byte entry
    t.data[24] = static_cast<unsigned char>(t.size());
    t.entry("nine");
    EXPECT_EQ(Walk(t.data), (Ids{1, 9}));
    // Zero bytes where a cut file ends: one padding step, then nothing.
    Bytes z;
    z.u32(1).u32(1).u32(1500).u32(16).entry("a").u32(0).u32(0).u32(0).u32(0);
    EXPECT_EQ(Walk(z.data), (Ids{1}));
}

// The formatter's own lookup: first block holding the identifier, then entry lengths only.
TEST(MessageTableEntry, OnlyEntriesTheFormatterCanReadWholeAreFormattable) {
    struct Case {
        const char* name;
        Bytes table;
        MessageId id;
        bool formattable;
    };
    std::vector<Case> cases;
    {
        Bytes t;
        t.u32(1).u32(100).u32(102).u32(16).entry("a").entry("b").entry("c");
        cases.push_back({"an ordinary entry", t, 101, true});
        cases.push_back({"outside every block", t, 103, false});
    }
    {
        // Block 100-101 whose first entry runs past the end, then a block 101-101: the walk
        // lists 101 from the second block, the formatter would step out of the first.
        Bytes t;
        t.u32(2).u32(100).u32(101).u32(28).u32(101).u32(101).u32(36);
        t.u16(0x7000).u16(0).u32(0x61); // 28: 100, too long
        t.entry("ok");                  // 36: the second block's 101
        cases.push_back({"the first block holding it runs out", t, 101, false});
        cases.push_back({"the long entry itself", t, 100, false});
    }
    {
        Bytes t;
        t.u32(1).u32(1).u32(1).u32(16).u16(8).u16(0).u32(0x64636261);
        cases.push_back({"no zero byte within the entry", t, 1, false});
    }
    {
        Bytes t;
        t.u32(1).u32(1).u32(2).u32(16).entry("a", 1).entry("b");
        cases.push_back({"UTF-16 entry", t, 1, false});
        cases.push_back({"after a UTF-16 entry, by length", t, 2, true});
    }
    {
        Bytes t;
        t.u32(1).u32(1).u32(2).u32(16).u16(0).u16(0).entry("b");
        cases.push_back({"a zero length is no step", t, 2, false});
    }
    {
        Bytes t;
        t.u32(2).u32(1).u32(1).u32(0xFFFFFFF0u).u32(1).u32(1).u32(28).entry("x");
        cases.push_back({"first holding block points outside", t, 1, false});
    }
    cases.push_back({"block records cut off", Bytes{}.u32(5).u32(1).u32(1), 1, false});
    for (const Case& c : cases) {
        const std::vector<unsigned char> exact(c.table.data);
        EXPECT_EQ(IsFormattableEntry(exact.data(), exact.size(), c.id), c.formattable) << c.name;
    }
}
