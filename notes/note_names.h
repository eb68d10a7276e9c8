// Note file names: "<label>.knote". Portable: no Windows header.
#pragma once

#include <cstddef>

#include "catalogue/error_label.h"

// The browser heading slot (0..6, as BrowserHeadingTexts) for a note file name: the first
// tool, in NoteClassificationOrder, whose browserMatch text the name contains anywhere decides
// ("A", "CVT", "R", "U", "LNK", "HI", "MIDL"). -1 when the name contains none of them.
int ClassifyNoteFileName(const char* fileName);

// The label of a note file: its name up to the first ".". False when that is empty or longer
// than a label can be (15 characters): saving under such a label would write another note.
bool NoteLabelFromFileName(const char* fileName, char (&label)[ErrorLabelSize]);

// Whether a Windows user name can name a notes folder of its own: not empty, "." or "..", no
// path separator, colon, wildcard or control character, no trailing dot or space (the file
// system drops them, so "ann." would open ann's folder), and not a device such as CON or COM1.
bool IsPlainFolderName(const char* name);

constexpr const char* NoteExtension = ".knote";
// A save writes here first and renames only a complete file: as long as the note's own name,
// so a label's note and its save file fit or fail to fit together.
constexpr const char* NoteSaveExtension = ".ksave";

// notesDirectory + "\" + label + extension into a zeroed buffer. False, and an empty path, when
// it does not fit or the label is empty or could leave the folder.
bool BuildNotePath(const char* notesDirectory, const char* label, char* path, std::size_t size,
                   const char* extension = NoteExtension);
