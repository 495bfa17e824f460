#include "app/win32/main_template.h"

#include <commctrl.h>

#include "app/win32/kitvane_dlg.h"
#include "app/win32/wide_text.h"

namespace kitvane::win32 {
namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
// Every control but a further radio button starts a group, so the arrow keys move within the radio pair.
constexpr DWORD kInput = kChild | WS_TABSTOP | WS_GROUP;

DWORD HeadingAlignment(HeadingStyle style) {
    switch (style) {
        case HeadingStyle::Centred:
            return SS_CENTER;
        case HeadingStyle::Right:
            return SS_RIGHT;
        case HeadingStyle::Left:
            break;
    }
    return SS_LEFT;
}

struct NativeControl {
    const wchar_t* windowClass;
    DWORD style;
};

NativeControl NativeControlOf(const ControlSpec& spec) {
    switch (spec.kind) {
        case ControlKind::Heading:
            return {L"Static", kChild | WS_GROUP | SS_NOPREFIX | HeadingAlignment(spec.headingStyle)};
        case ControlKind::Text:
            return {L"Static", kChild | WS_GROUP | SS_NOPREFIX | SS_LEFT};
        case ControlKind::CentredText:
            return {L"Static", kChild | WS_GROUP | SS_NOPREFIX | SS_CENTER};
        case ControlKind::Edit:
            return {L"Edit", kInput | WS_BORDER | ES_AUTOHSCROLL};
        case ControlKind::ReadOnlyEdit:
            return {L"Edit", kInput | WS_BORDER | ES_AUTOHSCROLL | ES_READONLY};
        case ControlKind::Button:
            return {L"Button", kInput | BS_PUSHBUTTON};
        case ControlKind::DefaultButton:
            return {L"Button", kInput | BS_DEFPUSHBUTTON};
        case ControlKind::HiddenButton:
            return {L"Button", WS_CHILD | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON};
        case ControlKind::FirstRadio:
            return {L"Button", kInput | BS_AUTORADIOBUTTON};
        case ControlKind::Radio:
            return {L"Button", kChild | WS_TABSTOP | BS_AUTORADIOBUTTON};
        case ControlKind::CheckBox:
            return {L"Button", kInput | BS_AUTOCHECKBOX};
        case ControlKind::ListBox:
            return {L"ListBox",
                    kInput | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS};
        case ControlKind::DropDown:
            return {L"ComboBox", kInput | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS};
        case ControlKind::ProgressBar:
            return {PROGRESS_CLASSW, kChild | WS_GROUP};
        case ControlKind::Banner:
            return {L"Static", kChild | WS_GROUP | SS_BITMAP};
        case ControlKind::Link:
            return {WC_LINK, kInput};
    }
    return {L"Static", kChild};
}

std::wstring CaptionOf(const ControlSpec& spec) {
    const std::wstring caption = Widen(spec.caption);
    return spec.kind == ControlKind::Link ? L"<a>" + caption + L"</a>" : caption;
}

}  // namespace

DialogBuilder MainWindowTemplate() {
    constexpr DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                            DS_MODALFRAME | DS_FIXEDSYS | DS_CENTER;
    DialogBuilder builder(style, WS_EX_APPWINDOW | WS_EX_ACCEPTFILES,
                          {0, 0, kMainWindowWidth, kMainWindowHeight}, Widen(kMainWindowTitle),
                          L"MS Shell Dlg", 8);
    for (const ControlSpec& spec : MainWindowControls()) {
        const int id = spec.id == control::kNone ? -1 : spec.id;
        const NativeControl native = NativeControlOf(spec);
        if (spec.kind == ControlKind::Banner) {
            builder.AddPictureControl(id, native.style, spec.dialogUnits, kBannerResource);
        } else {
            builder.AddControl(id, native.windowClass, native.style, spec.dialogUnits, CaptionOf(spec));
        }
    }
    return builder;
}

}  // namespace kitvane::win32
