// Checks every shipped catalogue module the way the add-in reads it (data-only load, the same
// walk, the same formatter flags) against the tools' public facts:
//   validate_catalogues <folder of the modules> <folder of the facts files>
// Prints, per module, its entries, the facts it covers and the codes still missing; exits
// non-zero when any entry breaks a rule or any code of the facts is missing.
#include <windows.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "catalogue/error_label.h"
#include "catalogue/error_text.h"
#include "catalogue/message_table.h"
#include "catalogue/tool_table.h"

namespace {

const char* const FactsFiles[ToolCount] = {"ml", "cvtres", "nmake", "link",
                                           "rc", "rw",     "h2inc", "midl"};

struct Fact {
    std::string severity, level, message; // message in the modules' 8-bit code page
    std::string doc; // the page or help topic that documents the code, or "none"
};

std::string ToCodePage1252(const std::string& utf8) {
    const int wide = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    std::wstring w(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &w[0], wide);
    const int narrow = WideCharToMultiByte(1252, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(narrow), '\0');
    WideCharToMultiByte(1252, 0, w.c_str(), -1, &out[0], narrow, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

std::vector<std::string> Split(const std::string& line, char by) {
    std::vector<std::string> parts(1);
    for (char c : line)
        if (c == by)
            parts.emplace_back();
        else if (c != '\r')
            parts.back() += c;
    return parts;
}

bool ReadFacts(const std::string& path, std::map<std::string, Fact>& facts) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    std::string content;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        content.append(buffer, n);
    std::fclose(file);
    bool header = true;
    for (const std::string& line : Split(content, '\n')) {
        if (header || line.empty()) {
            header = false;
            continue;
        }
        const std::vector<std::string> f = Split(line, '\t');
        if (f.size() >= 4)
            facts[f[0]] = {f[1], f[2], ToCodePage1252(f[3]), f.size() >= 6 ? f[5] : ""};
    }
    return true;
}

char ExpectedTypeDigit(int toolIndex, const Fact& fact) {
    if (toolIndex == 8) { // MIDL
        if (fact.severity == "preprocessor")
            return '9';
        if (fact.severity == "error" || fact.severity == "fatal")
            return '0';
        return '3';
    }
    if (fact.severity == "fatal")
        return '1';
    if (fact.severity == "error")
        return '2';
    if (fact.level == "1,4")
        return '8';
    if (fact.level.size() == 1 && fact.level[0] >= '1' && fact.level[0] <= '4')
        return static_cast<char>('3' + (fact.level[0] - '0'));
    return '3';
}

struct ModuleCheck {
    const ToolEntry* tool;
    std::map<std::string, Fact> facts;
    std::set<std::string> covered;
    std::set<std::string> descriptions;
    int entries = 0;
    int documented = 0;
    int problems = 0;

    void Problem(const std::string& label, const std::string& what) {
        if (++problems <= 40)
            std::printf("  %s: %s\n", label.c_str(), what.c_str());
    }
};

void CheckEntry(ModuleCheck& check, HMODULE module, const unsigned char* table, size_t size,
                MessageId id) {
    char label[ErrorLabelSize];
    FormatErrorLabel(check.tool->labelPrefix, id, label);
    ++check.entries;
    std::uint16_t flags = 0;
    const char* raw = nullptr;
    size_t rawLength = 0;
    if (!FindMessageEntry(table, size, id, &flags, &raw, &rawLength) || flags != 0) {
        check.Problem(label, "not an 8-bit entry");
        return;
    }
    char* text = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_HMODULE, module, id, 0,
                       reinterpret_cast<char*>(&text), 1, nullptr);
    if (length == 0 || text == nullptr) {
        check.Problem(label, "the formatter returns no text (error " +
                                 std::to_string(GetLastError()) + ")");
        return;
    }
    const std::string formatted(text, length);
    LocalFree(text);
    if (formatted != std::string(raw, rawLength))
        check.Problem(label, "an insert or escape sequence changes the text");
    const auto fact = check.facts.find(label);
    if (fact == check.facts.end()) {
        check.Problem(label, "not a code of the tool's facts");
        return;
    }
    check.covered.insert(label);
    if (fact->second.doc.empty())
        check.Problem(label,
                      "the facts name no documentation for it (a page, a help topic or none)");
    else if (fact->second.doc != "none")
        ++check.documented;
    const ErrorTextParts parts = SplitErrorText(formatted.data(), formatted.size());
    const std::string shortText(parts.shortText, parts.shortLength);
    const std::string description(parts.description, parts.descriptionLength);
    const size_t separator = formatted.find('\x95');
    if (formatted.size() < 2 || formatted[1] != ' ' || separator == std::string::npos ||
        formatted.compare(separator + 1, 2, "\r\n") != 0)
        check.Problem(label,
                      "breaks the layout: digit, space, short text, 0x95, line break, description");
    if (formatted[0] != ExpectedTypeDigit(check.tool->toolIndex, fact->second))
        check.Problem(label, std::string("type digit ") + formatted[0] +
                                 ", the severity asks for " +
                                 ExpectedTypeDigit(check.tool->toolIndex, fact->second));
    if (shortText != fact->second.message)
        check.Problem(label, "short text \"" + shortText + "\" is not the tool's message \"" +
                                 fact->second.message + "\"");
    std::string trimmed = description;
    while (!trimmed.empty() &&
           (trimmed.back() == '\r' || trimmed.back() == '\n' || trimmed.back() == ' '))
        trimmed.pop_back();
    if (trimmed.empty())
        check.Problem(label, "empty description");
    else if (trimmed == shortText)
        check.Problem(label, "the description only repeats the short text");
    else if (!check.descriptions.insert(trimmed).second)
        check.Problem(label, "the same description stands at another entry");
    for (char c : description)
        if ((static_cast<unsigned char>(c) < 32 && c != '\r' && c != '\n') || c == '\t') {
            check.Problem(label, "a control character or tab in the description");
            break;
        }
}

struct Walk {
    ModuleCheck* check;
    HMODULE module;
    const unsigned char* table;
    size_t size;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: validate_catalogues <module folder> <facts folder>\n");
        return 2;
    }
    const std::string modules = std::string(argv[1]) + "\\";
    const std::string factsFolder = std::string(argv[2]) + "\\";
    int failing = 0;
    for (int toolIndex = 1; toolIndex <= ToolCount; ++toolIndex) {
        ModuleCheck check;
        check.tool = FindTool(toolIndex);
        const std::string name = std::string(check.tool->moduleStem) + ".dll";
        if (!ReadFacts(factsFolder + FactsFiles[toolIndex - 1] + ".tsv", check.facts)) {
            std::printf("%s: no facts file %s.tsv\n", name.c_str(), FactsFiles[toolIndex - 1]);
            ++failing;
            continue;
        }
        HMODULE module =
            LoadLibraryExA((modules + name).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        HRSRC resource = module != nullptr
                             ? FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(11))
                             : nullptr;
        if (resource == nullptr) {
            std::printf("%s: cannot be opened, or holds no message table\n", name.c_str());
            ++failing;
            if (module != nullptr)
                FreeLibrary(module);
            continue;
        }
        const auto* table =
            static_cast<const unsigned char*>(LockResource(LoadResource(module, resource)));
        const size_t size = SizeofResource(module, resource);
        std::printf("%s\n", name.c_str());
        Walk walk{&check, module, table, size};
        WalkMessageTable(
            table, size,
            [](void* context, MessageId id) {
                auto* w = static_cast<Walk*>(context);
                CheckEntry(*w->check, w->module, w->table, w->size, id);
            },
            &walk);
        FreeLibrary(module);
        std::string missing;
        int missingCount = 0;
        for (const auto& fact : check.facts)
            if (check.covered.count(fact.first) == 0) {
                if (++missingCount <= 20)
                    missing += " " + fact.first;
            }
        if (missingCount > 20)
            missing += " ...";
        std::printf("  entries %d, facts covered %zu of %zu, missing %d%s%s\n", check.entries,
                    check.covered.size(), check.facts.size(), missingCount, missingCount ? ":" : "",
                    missing.c_str());
        std::printf("  documented %d, no documentation %zu\n", check.documented,
                    check.covered.size() - static_cast<size_t>(check.documented));
        if (check.problems > 0)
            std::printf("  %d problem(s)\n", check.problems);
        if (check.problems > 0 || missingCount > 0)
            ++failing;
    }
    std::printf("%s\n", failing == 0 ? "all catalogues valid" : "catalogue check failed");
    return failing == 0 ? 0 : 1;
}
