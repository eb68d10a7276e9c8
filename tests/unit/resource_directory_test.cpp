#include "catalogue/resource_directory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// A minimal module as a data-file mapping sees it: headers, then one ".rsrc" section at file
// offset 0x200 (address 0x1000) holding the directory for type 11, name 1, language 0x409,
// with room for a second language entry before the data entry.
struct Module {
    std::vector<unsigned char> bytes = std::vector<unsigned char>(0x280, 0);

    void u16(std::size_t at, std::uint32_t v) {
        bytes[at] = static_cast<unsigned char>(v);
        bytes[at + 1] = static_cast<unsigned char>(v >> 8);
    }
    void u32(std::size_t at, std::uint32_t v) {
        u16(at, v & 0xFFFF);
        u16(at + 2, v >> 16);
    }

    static constexpr std::size_t Nt = 0x40, Optional = Nt + 24, Section = Optional + 0xE0;
    static constexpr std::size_t Root = 0x200; // the section's file offset
    static constexpr std::size_t TypeEntry = Root + 16, NameDirectory = Root + 0x18;
    static constexpr std::size_t NameEntry = NameDirectory + 16, LanguageDirectory = Root + 0x30;
    static constexpr std::size_t LanguageEntry = LanguageDirectory + 16, DataEntry = Root + 0x50;

    Module() {
        u16(0, 0x5A4D);
        u32(0x3C, Nt);
        u32(Nt, 0x00004550);
        u16(Nt + 4, 0x14C);
        u16(Nt + 6, 1);     // one section
        u16(Nt + 20, 0xE0); // optional header size
        u16(Optional, 0x10B);
        u32(Optional + 60, 0x200); // size of headers
        u32(Optional + 92, 16);    // data directories
        u32(Optional + 96 + 2 * 8, 0x1000);
        u32(Optional + 96 + 2 * 8 + 4, 0x80);
        u32(Section + 8, 0x80);    // virtual size
        u32(Section + 12, 0x1000); // address
        u32(Section + 16, 0x80);   // raw size
        u32(Section + 20, 0x200);  // raw offset
        u16(Root + 14, 1);         // one identifier entry
        u32(TypeEntry, 11);
        u32(TypeEntry + 4, 0x80000018u);
        u16(NameDirectory + 14, 1);
        u32(NameEntry, 1);
        u32(NameEntry + 4, 0x80000030u);
        u16(LanguageDirectory + 14, 1);
        u32(LanguageEntry, 0x409);
        u32(LanguageEntry + 4, 0x50);
        u32(DataEntry, 0x1060); // the data, right after the data entry
        u32(DataEntry + 4, 0x28);
    }
    bool Sound(std::size_t size, ModuleLayout layout = ModuleLayout::File) const {
        // An exact-size copy, so the sanitizer sees any read past the end.
        const std::vector<unsigned char> exact(bytes.begin(), bytes.begin() + long(size));
        return IsMessageTableDirectorySound(exact.data(), exact.size(), layout);
    }
    bool Sound() const { return Sound(bytes.size()); }
};

TEST(ResourceDirectory, AWellFormedModuleIsSound) {
    EXPECT_TRUE(Module{}.Sound());
}

TEST(ResourceDirectory, EveryPathThePlatformCouldFollowMustStayInside) {
    struct Case {
        const char* name;
        void (*damage)(Module&);
    } cases[] = {
        {"no MZ signature", [](Module& m) { m.u16(0, 0x4D5A); }},
        {"headers beyond the file", [](Module& m) { m.u32(0x3C, 0x7FFFFFF0); }},
        {"no PE signature", [](Module& m) { m.u32(Module::Nt, 0); }},
        {"unknown optional header", [](Module& m) { m.u16(Module::Optional, 0x107); }},
        {"no resource directory slot", [](Module& m) { m.u32(Module::Optional + 92, 2); }},
        {"no resource directory", [](Module& m) { m.u32(Module::Optional + 112, 0); }},
        {"directory in no section", [](Module& m) { m.u32(Module::Optional + 112, 0x5000); }},
        {"section header beyond the file", [](Module& m) { m.u16(Module::Nt + 20, 0xFFF0); }},
        {"section data beyond the file", [](Module& m) { m.u32(Module::Section + 20, 0x10000); }},
        {"entry count beyond the file", [](Module& m) { m.u16(Module::Root + 14, 0x4000); }},
        {"no message table type", [](Module& m) { m.u32(Module::TypeEntry, 10); }},
        {"type entry is not a directory", [](Module& m) { m.u32(Module::TypeEntry + 4, 0x18); }},
        {"type directory beyond the file",
         [](Module& m) { m.u32(Module::TypeEntry + 4, 0x80100000u); }},
        {"name directory beyond the file",
         [](Module& m) { m.u32(Module::NameEntry + 4, 0x8FFFFFF0u); }},
        {"no name 1", [](Module& m) { m.u32(Module::NameEntry, 2); }},
        {"data entry beyond the file",
         [](Module& m) { m.u32(Module::LanguageEntry + 4, 0x7FFFFFF8u); }},
        {"data entry cut by the end",
         [](Module& m) { m.u32(Module::LanguageEntry + 4, 0x80 - 8); }},
        {"data in no section", [](Module& m) { m.u32(Module::DataEntry, 0x9000); }},
        {"data beyond the file",
         [](Module& m) {
             m.u32(Module::Section + 16, 0x10000); // the section claims more than the file has
             m.u32(Module::DataEntry, 0x1000 + 0x8000);
         }},
        {"two type 11 entries",
         [](Module& m) {
             m.u16(Module::Root + 14, 2);
             m.u32(Module::TypeEntry + 8, 11);
             m.u32(Module::TypeEntry + 12, 0x80000030u);
         }},
        {"no language entry", [](Module& m) { m.u16(Module::LanguageDirectory + 14, 0); }},
    };
    for (const Case& c : cases) {
        Module m;
        c.damage(m);
        EXPECT_FALSE(m.Sound()) << c.name;
    }
}

TEST(ResourceDirectory, EveryLanguageIsCheckedAndNamedOrDirectoryEntriesAreNeverData) {
    Module m;
    // A second language whose data entry lies outside: the platform may pick it.
    m.u16(Module::LanguageDirectory + 14, 2);
    m.u32(Module::LanguageEntry + 8, 0x407);
    m.u32(Module::LanguageEntry + 12, 0x7FFFFFF0u);
    EXPECT_FALSE(m.Sound());
    // Marked as a subdirectory, the same entry is never read as data.
    m.u32(Module::LanguageEntry + 12, 0xFFFFFFF0u);
    EXPECT_TRUE(m.Sound());
}

TEST(ResourceDirectory, ACutFileIsNeverReadPastItsEnd) {
    const Module m;
    for (std::size_t size = 0; size < m.bytes.size(); ++size)
        EXPECT_EQ(m.Sound(size), size > Module::Root + 0x60) << size;
}

TEST(ResourceDirectory, AnImageLayoutTakesAddressesAsOffsets) {
    Module m;
    m.bytes.resize(0x1100, 0);
    // The same directory at its address instead of its file offset.
    std::copy(m.bytes.begin() + Module::Root, m.bytes.begin() + Module::Root + 0x80,
              m.bytes.begin() + 0x1000);
    EXPECT_TRUE(m.Sound(m.bytes.size(), ModuleLayout::Image));
    EXPECT_FALSE(m.Sound(0x1040, ModuleLayout::Image)) << "directory cut off";
}

} // namespace
