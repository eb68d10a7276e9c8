// Note file names: "<label>.knote". Portable: no Windows header.
#pragma once

#include <cstddef>

#include "catalogue/error_label.h"

// The browser heading slot (0..6, as BrowserHeadingTexts) for a note file name: the first of
// "A", "CVT", "R", "U", "LNK", "HI", "MIDL" that the name contains anywhere decides.
// -1 when the name contains none of them.
int ClassifyNoteFileName(const char* fileName);

// The label of a note file: its name up to the first ".". False when that is empty or longer
// than a label can be (15 characters): saving under such a label would write another note.
bool NoteLabelFromFileName(const char* fileName, char (&label)[ErrorLabelSize]);

// notesDirectory + "\" + label + ".knote" into a zeroed buffer. False, and an empty path, when
// it does not fit or the label is empty or could leave the folder.
bool BuildNotePath(const char* notesDirectory, const char* label, char* path, std::size_t size);
