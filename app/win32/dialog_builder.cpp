#include "app/win32/dialog_builder.h"

namespace kitvane::win32 {

DialogBuilder::DialogBuilder(DWORD style, DWORD extendedStyle, const DialogRect& rect,
                             const std::wstring& title, const std::wstring& fontFace, WORD pointSize) {
    words_ = {1, 0xFFFF};  // version 1 of the extended template
    AddDword(0);           // help id
    AddDword(extendedStyle);
    AddDword(style | DS_SETFONT);
    countIndex_ = words_.size();
    words_.push_back(0);  // number of controls, counted as they are added
    for (int value : {rect.left, rect.top, rect.width, rect.height})
        words_.push_back(static_cast<WORD>(value));
    words_.push_back(0);  // no menu
    words_.push_back(0);  // the predefined dialog class
    AddString(title);
    words_.push_back(pointSize);
    words_.push_back(FW_NORMAL);
    words_.push_back(MAKEWORD(FALSE, DEFAULT_CHARSET));  // not italic; the character set
    AddString(fontFace);
}

void DialogBuilder::AddItemHeader(int id, DWORD style, const DialogRect& rect) {
    AlignToDword();
    AddDword(0);  // help id
    AddDword(0);  // extended style
    AddDword(style);
    for (int value : {rect.left, rect.top, rect.width, rect.height})
        words_.push_back(static_cast<WORD>(value));
    AddDword(static_cast<DWORD>(id));
    ++words_[countIndex_];
}

void DialogBuilder::AddControl(int id, const std::wstring& windowClass, DWORD style, const DialogRect& rect,
                               const std::wstring& caption) {
    AddItemHeader(id, style, rect);
    AddString(windowClass);
    AddString(caption);
    words_.push_back(0);  // no creation data
}

void DialogBuilder::AddPictureControl(int id, DWORD style, const DialogRect& rect, WORD resourceOrdinal) {
    AddItemHeader(id, style, rect);
    AddString(L"Static");
    words_.push_back(0xFFFF);
    words_.push_back(resourceOrdinal);
    words_.push_back(0);
}

void DialogBuilder::AddDword(DWORD value) {
    words_.push_back(LOWORD(value));
    words_.push_back(HIWORD(value));
}

void DialogBuilder::AddString(const std::wstring& text) {
    words_.insert(words_.end(), text.begin(), text.end());
    words_.push_back(0);
}

void DialogBuilder::AlignToDword() {
    if (words_.size() % 2 != 0)
        words_.push_back(0);
}

}  // namespace kitvane::win32
