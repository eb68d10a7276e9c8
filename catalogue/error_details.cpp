#include "catalogue/catalogue.h"

#include "catalogue/error_text.h"
#include "host/addin_state.h"

namespace {

// Copies length bytes into a zero-filled heap block so the field gets a terminated text.
void SetFieldPart(HWND field, const char* text, size_t length) {
    char* scratch = static_cast<char*>(HeapAlloc(ScratchHeap(), HEAP_ZERO_MEMORY, length + 1));
    if (scratch == nullptr) {
        SetWindowTextA(field, "");
        return;
    }
    CopyMemory(scratch, text, length);
    SetWindowTextA(field, scratch);
    HeapFree(ScratchHeap(), 0, scratch);
}

int ToolOfHeading(HTREEITEM heading) {
    for (int toolIndex = 1; toolIndex <= ToolCount; ++toolIndex)
        if (heading != nullptr && Addin.lookupHeadings[toolIndex - 1] == heading)
            return toolIndex;
    return 0;
}

} // namespace

void ShowErrorDetails(HTREEITEM heading, MessageId messageId) {
    // Whatever fails below, no text of the previously shown entry may stay on screen.
    char path[PathBufferSize];
    if (!BuildCataloguePath(ToolOfHeading(heading), path, sizeof path)) {
        ClearDetails();
        return;
    }
    HMODULE module = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) {
        ClearDetails();
        return;
    }
    // The formatter reads the table without bounds: it gets only an identifier whose entry the
    // bounded lookup has found whole and terminated.
    MessageTable table;
    const bool formattable =
        OpenMessageTable(module, &table) && IsFormattableEntry(table.data, table.size, messageId);
    CloseMessageTable(&table);
    if (!formattable) {
        FreeLibrary(module);
        ClearDetails();
        return;
    }
    char* text = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_HMODULE, module,
                       messageId, 0, reinterpret_cast<char*>(&text), 1, nullptr);
    FreeLibrary(module);
    if (length == 0 || text == nullptr) {
        if (text != nullptr)
            LocalFree(text);
        ClearDetails();
        return;
    }
    const ErrorTextParts parts = SplitErrorText(text, length);
    SetWindowTextA(Addin.typeField, parts.typeWord);
    SetFieldPart(Addin.errorField, parts.shortText, parts.shortLength);
    SetFieldPart(Addin.descriptionField, parts.description, parts.descriptionLength);
    LocalFree(text);
}

void ClearDetails() {
    SetWindowTextA(Addin.typeField, "");
    SetWindowTextA(Addin.errorField, "");
    SetWindowTextA(Addin.descriptionField, "");
    SetWindowTextA(Addin.noteField, "");
}
