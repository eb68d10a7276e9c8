// The resources of the built KIVO.dll, read back through the resource API.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/windows/test_window.h"

namespace {

class ModuleResources : public ::testing::Test {
  protected:
    void SetUp() override {
        path = ProgramDirectory() + "..\\..\\KIVO.dll";
        module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr) << path;
    }
    void TearDown() override {
        if (module != nullptr)
            FreeLibrary(module);
    }
    std::vector<unsigned char> Resource(LPCSTR type, int id) {
        HRSRC found = FindResourceExA(module, type, MAKEINTRESOURCEA(id),
                                      MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
        if (found == nullptr)
            return {};
        const auto* data =
            static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
        return std::vector<unsigned char>(data, data + SizeofResource(module, found));
    }
    std::string path;
    HMODULE module = nullptr;
};

// Reader of an extended dialog template.
struct TemplateReader {
    const std::vector<unsigned char>& bytes;
    size_t position = 0;
    WORD Word() {
        WORD v = WORD(bytes.at(position) | bytes.at(position + 1) << 8);
        position += 2;
        return v;
    }
    DWORD Dword() {
        DWORD low = Word();
        return low | DWORD(Word()) << 16;
    }
    short Short() { return static_cast<short>(Word()); }
    std::string Text() {
        std::string text;
        for (WORD c = Word(); c != 0; c = Word())
            text += static_cast<char>(c);
        return text;
    }
    // A name or ordinal: ordinals come back as "#n".
    std::string NameOrOrdinal() {
        if (bytes.at(position) == 0xFF && bytes.at(position + 1) == 0xFF) {
            position += 2;
            return "#" + std::to_string(Word());
        }
        return Text();
    }
    void AlignDword() { position = (position + 3) & ~size_t(3); }
};

struct Control {
    int id;
    std::string className;
    std::string text;
    short x, y, cx, cy;
    DWORD required;  // style bits that must be set (besides WS_CHILD)
    DWORD forbidden; // style bits that must not be set
    DWORD exStyle;
};

struct Dialog {
    DWORD style, exStyle;
    short x, y, cx, cy;
    std::string caption;
    std::vector<Control> controls;
};

void ExpectTemplate(const std::vector<unsigned char>& bytes, const Dialog& expected) {
    ASSERT_FALSE(bytes.empty());
    TemplateReader r{bytes};
    EXPECT_EQ(r.Word(), 1);      // dlgVer
    EXPECT_EQ(r.Word(), 0xFFFF); // extended form
    r.Dword();                   // help id
    EXPECT_EQ(r.Dword(), expected.exStyle);
    EXPECT_EQ(r.Dword(), expected.style);
    const WORD count = r.Word();
    EXPECT_EQ(r.Short(), expected.x);
    EXPECT_EQ(r.Short(), expected.y);
    EXPECT_EQ(r.Short(), expected.cx);
    EXPECT_EQ(r.Short(), expected.cy);
    EXPECT_EQ(r.NameOrOrdinal(), ""); // no menu
    EXPECT_EQ(r.NameOrOrdinal(), ""); // the dialog class
    EXPECT_EQ(r.Text(), expected.caption);
    EXPECT_EQ(r.Word(), 8);                 // point size
    EXPECT_EQ(r.Word(), 400);               // weight
    EXPECT_EQ(bytes.at(r.position), 0);     // not italic
    EXPECT_EQ(bytes.at(r.position + 1), 1); // character set
    r.position += 2;
    EXPECT_EQ(r.Text(), "Verdana");
    ASSERT_EQ(count, expected.controls.size());
    for (const Control& c : expected.controls) {
        r.AlignDword();
        r.Dword(); // help id
        const DWORD exStyle = r.Dword();
        const DWORD style = r.Dword();
        const short x = r.Short(), y = r.Short(), cx = r.Short(), cy = r.Short();
        const DWORD id = r.Dword();
        std::string className = r.NameOrOrdinal();
        const std::string text = r.NameOrOrdinal();
        r.position += r.Word(); // creation data
        const std::map<std::string, std::string> atoms{
            {"#128", "Button"}, {"#129", "Edit"}, {"#130", "Static"}};
        if (atoms.count(className) != 0)
            className = atoms.at(className);
        SCOPED_TRACE("control " + std::to_string(c.id));
        EXPECT_EQ(int(id), c.id);
        // Class names are matched without regard to case; the resource compiler stores
        // non-predefined ones in capitals.
        EXPECT_EQ(lstrcmpiA(className.c_str(), c.className.c_str()), 0) << className;
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(x, c.x);
        EXPECT_EQ(y, c.y);
        EXPECT_EQ(cx, c.cx);
        EXPECT_EQ(cy, c.cy);
        EXPECT_EQ(style & (c.required | WS_CHILD), c.required | WS_CHILD);
        EXPECT_EQ(style & c.forbidden, 0u);
        EXPECT_EQ(exStyle, c.exStyle);
    }
}

constexpr DWORD TreeStyle = WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                            TVS_LINESATROOT | TVS_DISABLEDRAGDROP | TVS_SHOWSELALWAYS |
                            TVS_FULLROWSELECT;
constexpr DWORD NoteStyle = WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN;
constexpr DWORD Static = WS_VISIBLE;
constexpr DWORD Etched = WS_VISIBLE | SS_ETCHEDHORZ;
constexpr DWORD Button = WS_VISIBLE | WS_TABSTOP | WS_DISABLED;

TEST_F(ModuleResources, LookupWindowTemplate) {
    ExpectTemplate(
        Resource(RT_DIALOG, IDD_LOOKUP),
        {DS_SETFONT | DS_CENTER | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
         0,
         5,
         6,
         398,
         273,
         "Quorvane",
         {
             {1001, "Edit", "", 30, 3, 53, 12, WS_VISIBLE | WS_TABSTOP | ES_UPPERCASE,
              ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
             {1009, "SysTreeView32", "", 2, 20, 120, 248, WS_VISIBLE | TreeStyle, 0, 0},
             {1005, "RichEdit20A", "", 126, 179, 270, 69, WS_VISIBLE | NoteStyle, 0,
              WS_EX_CLIENTEDGE},
             {1006, "Button", "Save Note", 128, 253, 57, 15, Button, BS_DEFPUSHBUTTON, 0},
             {1007, "Button", "Delete Note", 190, 253, 57, 15, Button, BS_DEFPUSHBUTTON, 0},
             {1008, "Button", "", -285, 254, 77, 12, BS_DEFPUSHBUTTON, WS_VISIBLE, 0},
             {1013, "Static", "Type:", 126, 4, 18, 9, Static, 0, 0},
             {1014, "Static", "Error:", 126, 18, 18, 9, Static, 0, 0},
             {1010, "Static", "Error #", 2, 4, 24, 9, Static, 0, 0},
             {1002, "Static", "", 148, 4, 84, 9, Static, 0, 0},
             {1004, "Edit", "", 126, 50, 270, 114,
              WS_VISIBLE | ES_READONLY | ES_MULTILINE | WS_VSCROLL, WS_TABSTOP, WS_EX_CLIENTEDGE},
             {1017, "Static", "Note", 133, 168, 17, 9, Static, 0, 0},
             {1018, "Static", "", 125, 172, 271, 1, Etched, 0, 0},
             {1003, "Static", "", 149, 18, 245, 29, Static, 0, 0},
         }});
}

TEST_F(ModuleResources, AboutBoxTemplate) {
    ExpectTemplate(Resource(RT_DIALOG, IDD_ABOUT),
                   {DS_SETFONT | DS_CENTER | WS_VISIBLE | WS_CAPTION | WS_SYSMENU,
                    WS_EX_TOOLWINDOW,
                    5,
                    6,
                    168,
                    166,
                    "About KIVO",
                    {
                        {2001, "Static", "Quorvane", 35, 6, 96, 11, Static, 0, 0},
                        {2002, "Static", "Version: 3.0", 56, 18, 55, 9, Static, 0, 0},
                        {2003, "Static", "View error descriptions for MASM tools", 18, 46, 132, 10,
                         Static, 0, 0},
                        {2004, "Static", "Tools supported:", 2, 61, 56, 10, Static, 0, 0},
                        {2005, "Static", "", 62, 61, 100, 63, Static, 0, 0},
                        {2006, "Static", "Total errors:", 2, 129, 41, 10, Static, 0, 0},
                        {2007, "Static", "", 46, 129, 60, 10, Static, 0, 0},
                        {2008, "Static", "", -1, 142, 169, 3, Etched, 0, 0},
                        {2011, "Static", "RadASM 3 Addin", 56, 29, 55, 10, Static, 0, 0},
                        {2012, "Static", "", -2, 41, 180, 1, Etched, 0, 0},
                        {2009, "Static", KIVO_WEB_ADDRESS, 3, 151, 71, 8, Static, 0, 0},
                        {2010, "Static", KIVO_MAIL_ADDRESS, 84, 151, 79, 8, Static, 0, 0},
                    }});
}

TEST_F(ModuleResources, NoteBrowserTemplate) {
    ExpectTemplate(Resource(RT_DIALOG, IDD_NOTE_BROWSER),
                   {DS_SETFONT | DS_CENTER | WS_VISIBLE | WS_CAPTION | WS_SYSMENU,
                    WS_EX_TOOLWINDOW,
                    5,
                    4,
                    370,
                    165,
                    "Note Browser",
                    {
                        {3004, "SysTreeView32", "", 2, 3, 120, 157, WS_VISIBLE | TreeStyle, 0, 0},
                        {3003, "RichEdit20A", "", 124, 3, 242, 137, WS_VISIBLE | NoteStyle, 0,
                         WS_EX_CLIENTEDGE},
                        {3002, "Button", "Save Note", 125, 146, 57, 15, Button, 0, 0},
                        {3001, "Button", "Delete Note", 188, 146, 57, 15, Button, 0, 0},
                    }});
}

// Renders an icon at 16x16 over white and returns its pixels.
std::vector<COLORREF> Render16(HICON icon) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, 16, 16};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIconEx(dc, 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixels;
}

TEST_F(ModuleResources, IconGroupHoldsTwoSixteenColourImagesThatDiffer) {
    const std::vector<unsigned char> group = Resource(RT_GROUP_ICON, IDI_KIVO);
    ASSERT_GE(group.size(), 6u + 2 * 14u);
    ASSERT_EQ(group[4], 2); // image count
    std::vector<int> sizes;
    for (int i = 0; i < 2; ++i) {
        const unsigned char* entry = &group[6 + 14 * i];
        sizes.push_back(entry[0]);
        EXPECT_EQ(entry[0], entry[1]);
        EXPECT_EQ(entry[2], 16);                // colours
        EXPECT_EQ(entry[6] | entry[7] << 8, 4); // bits per pixel
    }
    EXPECT_EQ(std::set<int>(sizes.begin(), sizes.end()), (std::set<int>{16, 32}));

    HMODULE loaded = LoadLibraryA(path.c_str()); // LoadImage wants a module it can use fully
    ASSERT_NE(loaded, nullptr);
    HICON big =
        static_cast<HICON>(LoadImageA(loaded, MAKEINTRESOURCEA(IDI_KIVO), IMAGE_ICON, 32, 32, 0));
    HICON small =
        static_cast<HICON>(LoadImageA(loaded, MAKEINTRESOURCEA(IDI_KIVO), IMAGE_ICON, 16, 16, 0));
    ASSERT_NE(big, nullptr);
    ASSERT_NE(small, nullptr);
    const std::vector<COLORREF> a = Render16(big), b = Render16(small);
    int differing = 0;
    for (size_t i = 0; i < a.size(); ++i)
        differing += a[i] != b[i];
    EXPECT_GT(differing, 64) << "the 16x16 image looks like the 32x32 one scaled down";
    DestroyIcon(big);
    DestroyIcon(small);
    FreeLibrary(loaded);
}

// What a user reads in the file's properties and what the platform reads as it loads the
// module, in one place.
const struct {
    WORD version[4]; // file and product alike, in numbers and in text
    LANGID language; // of the strings, as the translation entry names them
    std::vector<std::pair<std::string, std::string>> strings;
    std::map<std::string, std::string> manifest;       // the manifest's root element
    std::map<std::string, std::string> commonControls; // and the assembly it depends on
} Expected = {
    {3, 0, 0, 1},
    MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
    {{"ProductName", "KIVO"},
     {"FileDescription", "View Error Descriptions form MASM tools"},
     {"CompanyName", "KIVO developers"},
     {"LegalCopyright", "Copyright (C) 2026 KIVO developers"}},
    {{"xmlns", "urn:schemas-microsoft-com:asm.v1"}, {"manifestVersion", "1.0"}},
    {{"type", "win32"},
     {"name", "Microsoft.Windows.Common-Controls"},
     {"version", "6.0.0.0"},
     {"processorArchitecture", "*"},
     {"publicKeyToken", "6595b64144ccf1df"},
     {"language", "*"}},
};

// A value of the version block, or null when it is missing or shorter than size.
const void* VersionValue(const std::vector<unsigned char>& block, const std::string& key,
                         UINT size) {
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), key.c_str(), &value, &length) || length < size)
        return nullptr;
    return value;
}

TEST_F(ModuleResources, VersionBlock) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<unsigned char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));

    const auto* fixed =
        static_cast<const VS_FIXEDFILEINFO*>(VersionValue(block, "\\", sizeof(VS_FIXEDFILEINFO)));
    ASSERT_NE(fixed, nullptr);
    const WORD* v = Expected.version;
    EXPECT_EQ(fixed->dwFileVersionMS, DWORD(MAKELONG(v[1], v[0])));
    EXPECT_EQ(fixed->dwFileVersionLS, DWORD(MAKELONG(v[3], v[2])));
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
    EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u)
        << "marked as a debug, pre-release, patched or private build";

    // The strings are read where the translation entry points, as the file's properties do.
    const auto* translation =
        static_cast<const WORD*>(VersionValue(block, "\\VarFileInfo\\Translation", 4));
    ASSERT_NE(translation, nullptr);
    EXPECT_EQ(translation[0], Expected.language);
    char table[40];
    wsprintfA(table, "\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
    const std::string dotted = std::to_string(v[0]) + "." + std::to_string(v[1]) + "." +
                               std::to_string(v[2]) + "." + std::to_string(v[3]);
    auto strings = Expected.strings;
    strings.emplace_back("FileVersion", dotted);
    strings.emplace_back("ProductVersion", dotted);
    for (const auto& entry : strings) {
        const auto* value = static_cast<const char*>(VersionValue(block, table + entry.first, 1));
        ASSERT_NE(value, nullptr) << entry.first;
        EXPECT_EQ(std::string(value), entry.second) << entry.first;
    }
}

using AttributeMap = std::map<std::string, std::string>;

// The name="value" pairs of a text.
AttributeMap AttributesIn(const std::string& text) {
    AttributeMap attributes;
    const std::regex attribute("([A-Za-z:]+)=\"([^\"]*)\"");
    for (std::sregex_iterator i(text.begin(), text.end(), attribute), end; i != end; ++i)
        attributes[(*i)[1]] = (*i)[2];
    return attributes;
}

// The attributes of the first element with this name at or after from.
AttributeMap ElementAttributes(const std::string& xml, const std::string& element,
                               size_t from = 0) {
    const size_t start = xml.find("<" + element + " ", from);
    if (start == std::string::npos)
        return {};
    return AttributesIn(xml.substr(start, xml.find('>', start) - start));
}

// The identities of the assemblies an activation context holds, in the platform's encoding:
// the name, then its attributes.
std::vector<std::string> ResolvedAssemblies(HANDLE context) {
    std::vector<std::string> identities;
    for (DWORD index = 1;; ++index) {
        SIZE_T needed = 0;
        QueryActCtxW(0, context, &index, AssemblyDetailedInformationInActivationContext, nullptr, 0,
                     &needed);
        std::vector<unsigned char> buffer(needed);
        if (needed == 0 ||
            !QueryActCtxW(0, context, &index, AssemblyDetailedInformationInActivationContext,
                          buffer.data(), buffer.size(), &needed))
            return identities;
        const WCHAR* encoded =
            reinterpret_cast<const ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION*>(buffer.data())
                ->lpAssemblyEncodedAssemblyIdentity;
        std::string identity;
        for (const WCHAR* c = encoded; c != nullptr && *c != 0; ++c)
            identity += static_cast<char>(*c);
        identities.push_back(identity);
    }
}

TEST_F(ModuleResources, Manifest) {
    const std::vector<unsigned char> raw = Resource(RT_MANIFEST, IDR_MANIFEST);
    const std::string xml(raw.begin(), raw.end());
    EXPECT_EQ(ElementAttributes(xml, "assembly"), Expected.manifest);
    const size_t dependency = xml.find("<dependentAssembly>");
    ASSERT_NE(dependency, std::string::npos) << "no dependency";
    const AttributeMap& controls = Expected.commonControls;
    EXPECT_EQ(ElementAttributes(xml, "assemblyIdentity", dependency), controls);

    // The platform takes the manifest and binds the dependency to a common controls assembly
    // it holds, of the major and minor version asked for.
    ACTCTXA request{};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = path.c_str();
    request.lpResourceName = MAKEINTRESOURCEA(IDR_MANIFEST);
    HANDLE context = CreateActCtxA(&request);
    ASSERT_NE(context, INVALID_HANDLE_VALUE) << "error " << GetLastError();
    const std::vector<std::string> resolved = ResolvedAssemblies(context);
    ReleaseActCtx(context);
    const std::string& asked = controls.at("version");
    const std::string majorMinor = asked.substr(0, asked.find('.', asked.find('.') + 1) + 1);
    const auto bound = std::find_if(resolved.begin(), resolved.end(), [&](const std::string& id) {
        return id.rfind(controls.at("name") + ",", 0) == 0;
    });
    ASSERT_NE(bound, resolved.end()) << ::testing::PrintToString(resolved);
    AttributeMap found = AttributesIn(*bound);
    EXPECT_EQ(found["publicKeyToken"], controls.at("publicKeyToken")) << *bound;
    EXPECT_EQ(found["version"].rfind(majorMinor, 0), 0u) << *bound;
}

} // namespace
