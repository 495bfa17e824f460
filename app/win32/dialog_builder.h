#pragma once
// Builds a dialog template (DLGTEMPLATEEX) in memory, so the dialog manager makes the window and its
// controls from our control table: dialog units, the dialog font and keyboard handling as in a
// resource-made dialog.
#include <windows.h>

#include <string>
#include <vector>

#include "app/dialog_template.h"

namespace kitvane::win32 {

class DialogBuilder {
public:
    // The dialog itself; DS_SETFONT is added, with the face and point size given.
    DialogBuilder(DWORD style, DWORD extendedStyle, const DialogRect& rect, const std::wstring& title,
                  const std::wstring& fontFace, WORD pointSize);

    // A control by window class name; its text is a caption, or a resource ordinal (for pictures).
    void AddControl(int id, const std::wstring& windowClass, DWORD style, const DialogRect& rect,
                    const std::wstring& caption);
    void AddPictureControl(int id, DWORD style, const DialogRect& rect, WORD resourceOrdinal);

    const DLGTEMPLATE* Template() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void AddItemHeader(int id, DWORD style, const DialogRect& rect);
    void AddDword(DWORD value);
    void AddString(const std::wstring& text);
    void AlignToDword();

    std::vector<WORD> words_;
    std::size_t countIndex_ = 0;
};

}  // namespace kitvane::win32
