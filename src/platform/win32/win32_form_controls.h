// The controls inside a form window: what the form window and the Win32Forms calls share
// between the files that create, draw and update them.
#pragma once
#include <windows.h>

#include "platform/forms.h"
#include "platform/win32/win32_forms.h"
#include "platform/win32/win32_handles.h"

namespace vireloc {

FontHandle createFormFont(const FontSpec& layout);
void createControls(Win32Form& form);
// A label takes the size of its text in the font the form really got.
void sizeToText(const Win32Control& control, HFONT font);
// The form's design at that DPI: the controls' places, the font, the rows, the client area.
void layOutForm(Win32Form& form, int dpi);

void prepareRowList(Win32Form& form, const Win32Control& list);
// A row list's WM_DRAWITEM; false when the item belongs to another control.
bool drawRow(Win32Form& form, const DRAWITEMSTRUCT& item);

void prepareTreeView(const Win32Control& tree);
// A TreeView's notification; true with its result when it was one.
bool onTreeNotify(Win32Form& form, const NMHDR& header, LRESULT& result);

}  // namespace vireloc
