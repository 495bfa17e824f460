// The native window under test: the real dialog, driven through its messages, compared with what the
// command line prints and writes for the same library.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "app/dialog_template.h"
#include "app/version.h"
#include "app/win32/registry_profile.h"
#include "app/win32/wide_text.h"
#include "cli/demo_library.h"
#include "platform/file_system.h"
#include "tests/support/temp_folder.h"
#include "tests/win32/dialog_driver.h"

namespace kitvane {
namespace {

namespace c = control;
namespace fs = std::filesystem;
using testing::AnsweringSeams;
using testing::DialogDriver;
using testing::TempFolder;
using win32::Narrow;
using win32::Widen;

// The profile of this executable: Kitvane\<test executable's name>\Settings.
const std::wstring kSettingsKey = L"Software\\Kitvane\\" + win32::ApplicationName();
const std::wstring kSectionKey = kSettingsKey + L"\\Settings";

// Runs the command line built beside this test and returns what it printed, line by line.
std::vector<std::wstring> CommandLineOutput(const std::vector<std::wstring>& arguments) {
    std::wstring command = L"\"" + Widen(platform::ExecutableFolder()) + L"\\kitvane-cli.exe\"";
    for (const std::wstring& argument : arguments)
        command += L" \"" + argument + L"\"";
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE reading = nullptr;
    HANDLE writing = nullptr;
    ::CreatePipe(&reading, &writing, &inherited, 0);
    ::SetHandleInformation(reading, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writing;
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    const BOOL started = ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                          nullptr, nullptr, &startup, &process);
    const DWORD startError = started ? 0 : ::GetLastError();
    ::CloseHandle(writing);
    std::string output;
    char buffer[4096];
    DWORD got = 0;
    while (started && ::ReadFile(reading, buffer, sizeof buffer, &got, nullptr) && got > 0)
        output.append(buffer, got);
    ::CloseHandle(reading);
    EXPECT_TRUE(started) << "error " << startError << ": " << Narrow(command);
    if (started) {
        ::WaitForSingleObject(process.hProcess, INFINITE);
        ::CloseHandle(process.hProcess);
        ::CloseHandle(process.hThread);
    }
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = output.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string line = output.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(Widen(line));
    }
    return lines;
}

// Every file below a folder (path text), by its path relative to the folder, with its bytes; read
// through the core's file system, which takes paths of any length.
void CollectFiles(const std::string& folder, const std::string& relative,
                  std::map<std::string, std::string>& files) {
    for (const platform::DirectoryEntry& entry : platform::ListDirectory(folder)) {
        const std::string path = folder + "\\" + entry.name;
        if (entry.isDirectory) {
            CollectFiles(path, relative + entry.name + "\\", files);
        } else {
            files[relative + entry.name] = platform::ReadWholeFile(path).value_or("");
        }
    }
}

std::map<std::string, std::string> FilesBelow(const std::string& folder) {
    std::map<std::string, std::string> files;
    CollectFiles(folder, "", files);
    return files;
}

std::size_t ProgramsBelow(const std::string& folder) {
    const auto files = FilesBelow(folder);
    return static_cast<std::size_t>(std::count_if(
        files.begin(), files.end(), [](const auto& file) { return file.first.ends_with(".xpm"); }));
}

// Removes a folder of any path length, which the temporary folder's own cleanup can't.
void RemoveTree(const std::string& folder) {
    for (const platform::DirectoryEntry& entry : platform::ListDirectory(folder)) {
        const std::string path = folder + "\\" + entry.name;
        if (entry.isDirectory) {
            RemoveTree(path);
        } else {
            ::DeleteFileW((L"\\\\?\\" + Widen(path)).c_str());
        }
    }
    ::RemoveDirectoryW((L"\\\\?\\" + Widen(folder)).c_str());
}

std::optional<DWORD> StoredDword(const std::wstring& name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (::RegGetValueW(HKEY_CURRENT_USER, kSectionKey.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr,
                       &value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

std::optional<std::wstring> StoredString(const std::wstring& name) {
    wchar_t value[1024];
    DWORD size = sizeof value;
    if (::RegGetValueW(HKEY_CURRENT_USER, kSectionKey.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, value,
                       &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(value);
}

void Store(const std::wstring& name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kSectionKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                &key, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    ::RegCloseKey(key);
}

void StoreString(const std::wstring& name, const std::wstring& text) {
    Store(name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void StoreDword(const std::wstring& name, DWORD value) {
    Store(name, REG_DWORD, &value, sizeof value);
}

// Every test starts as a first start: nothing stored.
class NativeWindow : public ::testing::Test {
protected:
    void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey.c_str()); }
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey.c_str()); }

    AnsweringSeams seams;
};

// A demo library at a path beyond 260 characters, with names beyond ASCII, and an output folder beside.
class NativeWindowWithLibrary : public NativeWindow {
protected:
    void SetUp() override {
        NativeWindow::SetUp();
        const std::string deep =
            "Bibliothèque ünï 音楽\\" + std::string(110, 'a') + "\\" + std::string(110, 'b');
        library = temp.MakeFolder(deep + "\\Démo Library");
        ASSERT_EQ(cli::WriteDemoLibrary(library, {}), cli::DemoOutcome::Written);
        ASSERT_GT(library.size(), 260u);
        output = temp.PathOf(deep + "\\Sortie");
    }
    void TearDown() override {
        RemoveTree(temp.Path());
        NativeWindow::TearDown();
    }
    // Where the window's run writes: the output folder and the library's name.
    std::string OutputRoot() const { return output + "\\Démo"; }

    TempFolder temp;
    std::string library;
    std::string output;
};

TEST_F(NativeWindow, FirstStartShowsTheTableAndTheDefaults) {
    DialogDriver::Run(seams, [](DialogDriver& user) {
        for (const ControlSpec& spec : MainWindowControls()) {
            if (spec.id != c::kNone && spec.kind != ControlKind::Link && *spec.caption != '\0') {
                EXPECT_EQ(Narrow(user.TextOf(spec.id)), spec.caption) << spec.id;
            }
        }
        EXPECT_EQ(user.TextOf(c::kVersion), L"Version " KITVANE_VERSION);
        EXPECT_EQ(user.TextOf(c::kLibraryName), L"<library name>");
        EXPECT_EQ(user.TextOf(c::kOutputInfo), L"\\<library name>\\");
        const std::pair<int, bool> boxes[] = {{c::kBuildKit, true},   {c::kCreateKeygroups, true},
                                              {c::kKitFolder, false}, {c::kCopyLoops, true},
                                              {c::kAddBpm, true},     {c::kAddLibrarySubfolder, true},
                                              {c::kShowKits, true},   {c::kShowInstruments, false}};
        for (const auto& [id, checked] : boxes)
            EXPECT_EQ(user.IsChecked(id), checked) << id;
        EXPECT_EQ(user.Selection(c::kKitVolume), 0);
        EXPECT_EQ(user.Selection(c::kKeygroupVolume), 2);
        EXPECT_EQ(user.Selection(c::kNoteRelease), 1);
        EXPECT_EQ(::SendMessageW(user.Control(c::kNoteRelease), CB_GETCOUNT, 0, 0), 3);

        // The frame: icons, and the About item at the end of the system menu.
        EXPECT_NE(::SendMessageW(user.Window(), WM_GETICON, ICON_BIG, 0), 0);
        EXPECT_NE(::SendMessageW(user.Window(), WM_GETICON, ICON_SMALL, 0), 0);
        wchar_t item[64] = {};
        ::GetMenuStringW(::GetSystemMenu(user.Window(), FALSE), kAboutCommand, item, 64, MF_BYCOMMAND);
        EXPECT_STREQ(item, L"&About Kitvane...");
    });
}

TEST_F(NativeWindow, HeadingsAreBarsInTheColourOfTheirStyle) {
    DialogDriver::Run(seams, [](DialogDriver& user) {
        const std::pair<int, COLORREF> headings[] = {{c::kLibraryHeading, RGB(86, 152, 233)},
                                                     {c::kOptionsHeading, RGB(86, 152, 233)},
                                                     {c::kOutputHeading, RGB(192, 128, 128)}};
        for (const auto& [id, colour] : headings) {
            // What the display shows, once the window's thread has painted the bar.
            HWND heading = user.Control(id);
            ::InvalidateRect(heading, nullptr, FALSE);
            COLORREF shown = CLR_INVALID;
            for (int attempt = 0; attempt < 200 && shown != colour; ++attempt) {
                ::SendMessageW(user.Window(), WM_NULL, 0, 0);
                ::Sleep(25);
                HDC dc = ::GetDC(heading);
                shown = ::GetPixel(dc, 1, 1);
                ::ReleaseDC(heading, dc);
            }
            EXPECT_EQ(shown, colour) << id;
        }
    });
}

TEST_F(NativeWindowWithLibrary, DroppedLibraryListsWhatTheCommandLineShows) {
    DialogDriver::Run(seams, [this](DialogDriver& user) {
        user.Drop({Widen(library)});
        EXPECT_EQ(user.TextOf(c::kLibraryPath), Widen(library));
        EXPECT_EQ(user.TextOf(c::kLibraryName), L"Démo");
        EXPECT_EQ(user.TextOf(c::kOutputInfo), L"\\Démo\\");

        for (const bool instruments : {false, true}) {
            std::vector<std::wstring> listed = CommandLineOutput(
                instruments ? std::vector<std::wstring>{L"list", Widen(library), L"--instruments"}
                            : std::vector<std::wstring>{L"list", Widen(library)});
            ASSERT_GE(listed.size(), 2u);
            if (instruments)
                user.Click(c::kShowInstruments);
            EXPECT_EQ(user.TextOf(c::kShowKits), listed[0]);
            EXPECT_EQ(user.TextOf(c::kShowInstruments), listed[1]);
            const std::vector<std::wstring> rows = user.Rows(c::kMainList);
            EXPECT_EQ(rows, std::vector<std::wstring>(listed.begin() + 2, listed.end()));

            // Each row, and its first wave, as the command line's show prints them.
            for (std::size_t row = 0; row < rows.size(); ++row) {
                const std::wstring rowText = std::to_wstring(row);
                const std::wstring which = instruments ? L"--instrument" : L"--kit";
                user.SelectRow(c::kMainList, static_cast<int>(row));
                std::vector<std::wstring> shown = user.Rows(c::kWavesList);
                shown.push_back(L"status: " + user.TextOf(c::kStatus));
                EXPECT_EQ(shown, CommandLineOutput({L"show", Widen(library), which, rowText})) << row;
                if (user.Rows(c::kWavesList).empty())
                    continue;
                user.SelectRow(c::kWavesList, 0);
                shown.back() = L"status: " + user.TextOf(c::kStatus);
                EXPECT_EQ(shown,
                          CommandLineOutput({L"show", Widen(library), which, rowText, L"--wave", L"0"}))
                    << row;
            }
        }
    });
}

// Records, when the window takes a probe message out of its queue, which input controls are enabled.
struct EnabledProbe {
    static inline HWND window = nullptr;
    static inline std::vector<bool> enabled;
    static constexpr WPARAM kMarker = 0x6B76;

    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        const auto* message = reinterpret_cast<const MSG*>(lParam);
        if (code == HC_ACTION && wParam == PM_REMOVE && message->message == WM_NULL &&
            message->wParam == kMarker) {
            for (int id : kRunLockedControls)
                enabled.push_back(::IsWindowEnabled(::GetDlgItem(window, id)) != FALSE);
            for (int id : {c::kMainList, c::kWavesList})
                enabled.push_back(::IsWindowEnabled(::GetDlgItem(window, id)) != FALSE);
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
};

TEST_F(NativeWindowWithLibrary, ProcessAllWritesWhatTheCommandLineWrites) {
    DWORD uiThread = ::GetCurrentThreadId();
    DialogDriver::Run(seams, [this, uiThread](DialogDriver& user) {
        user.Drop({Widen(library)});
        user.TypeInto(c::kOutputFolder, Widen(output));
        EnabledProbe::window = user.Window();
        EnabledProbe::enabled.clear();
        HHOOK hook = ::SetWindowsHookExW(WH_GETMESSAGE, EnabledProbe::Hook, nullptr, uiThread);
        // In the queue behind the click: a probe and a drop, which the run's first pump takes.
        user.PostClick(c::kProcessAll);
        ::PostMessageW(user.Window(), WM_NULL, EnabledProbe::kMarker, 0);
        user.PostDrop({Widen(temp.Path())});
        ASSERT_TRUE(user.WaitForText(c::kStatus, L"All Done!"));
        ::UnhookWindowsHookEx(hook);

        // During the run every input was off and both lists on; after it, all are on again.
        std::vector<bool> expected(std::size(kRunLockedControls), false);
        expected.insert(expected.end(), {true, true});
        EXPECT_EQ(EnabledProbe::enabled, expected);
        for (int id : kRunLockedControls)
            EXPECT_TRUE(::IsWindowEnabled(user.Control(id))) << id;
        // The drop during the run was not loaded.
        EXPECT_EQ(user.TextOf(c::kLibraryPath), Widen(library));

        const std::string byCommandLine = temp.PathOf("by command line");
        const std::vector<std::wstring> log =
            CommandLineOutput({L"convert", Widen(library), Widen(byCommandLine)});
        EXPECT_EQ(user.Rows(c::kMainList), log);
        const auto written = FilesBelow(OutputRoot());
        EXPECT_EQ(written.size(), FilesBelow(byCommandLine + "\\Démo").size());
        EXPECT_TRUE(written == FilesBelow(byCommandLine + "\\Démo")) << "the files differ";
        EXPECT_EQ(ProgramsBelow(OutputRoot()), 5u);
    });
}

TEST_F(NativeWindowWithLibrary, ClosingDuringARunStopsItAfterTheFirstProgram) {
    const INT_PTR closedAs = DialogDriver::Run(seams, [this](DialogDriver& user) {
        user.Drop({Widen(library)});
        user.TypeInto(c::kOutputFolder, Widen(output));
        // The close request waits in the queue behind the click: the run's first pump takes it.
        user.PostClick(c::kProcessAll);
        ::PostMessageW(user.Window(), WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(closedAs, IDCANCEL);
    EXPECT_EQ(ProgramsBelow(OutputRoot()), 1u);
    EXPECT_TRUE(FilesBelow(OutputRoot() + "\\Keygroups").empty());
}

TEST_F(NativeWindow, OptionsRoundTripThroughTheRegistry) {
    seams.nextFolder = L"D:\\";
    DialogDriver::Run(seams, [](DialogDriver& user) {
        user.Click(c::kKitFolder);
        user.Click(c::kCopyLoops);
        user.Click(c::kOutputBrowse);
        EXPECT_EQ(user.TextOf(c::kOutputInfo), L"D:\\<library name>\\");
        // Typed by hand: used by the next run, never stored.
        user.TypeInto(c::kOutputFolder, L"E:\\Typed");
        user.Click(c::kClose);
    });
    EXPECT_EQ(StoredDword(L"KitFolder"), 1u);
    EXPECT_EQ(StoredDword(L"CopyLoops"), 0u);
    EXPECT_EQ(StoredString(L"OutLib"), L"D:");
    EXPECT_FALSE(StoredDword(L"AddBPM").has_value());  // written only by its own box

    DialogDriver::Run(seams, [](DialogDriver& user) {
        EXPECT_TRUE(user.IsChecked(c::kKitFolder));
        EXPECT_FALSE(user.IsChecked(c::kCopyLoops));
        EXPECT_TRUE(user.IsChecked(c::kAddBpm));
        EXPECT_EQ(user.TextOf(c::kOutputFolder), L"D:");
    });
}

TEST_F(NativeWindow, ValuesStoredByOtherWritersAreReadAsQtSettingsReadThem) {
    StoreDword(L"KitFolder", 7);            // not a check box value: cleared
    StoreString(L"CreateKeygroups", L"0");  // a number stored as text
    StoreString(L"OutLib", L"@@Out");       // a leading "@" is stored doubled
    DialogDriver::Run(seams, [](DialogDriver& user) {
        EXPECT_FALSE(user.IsChecked(c::kKitFolder));
        EXPECT_FALSE(user.IsChecked(c::kCreateKeygroups));
        EXPECT_EQ(user.TextOf(c::kOutputFolder), L"@Out");
    });
    seams.nextFolder = L"@Elsewhere";
    DialogDriver::Run(seams, [](DialogDriver& user) { user.Click(c::kOutputBrowse); });
    EXPECT_EQ(StoredString(L"OutLib"), L"@@Elsewhere");
}

TEST_F(NativeWindow, AboutBoxAndGuideLink) {
    DialogDriver::Run(seams, [](DialogDriver& user) {
        ::PostMessageW(user.Window(), WM_SYSCOMMAND, kAboutCommand, 0);
        HWND about = user.WaitForWindow(L"About Kitvane");
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(testing::WindowTextOf(::GetDlgItem(about, 1100)), L"Kitvane, Version " KITVANE_VERSION);
        ::PostMessageW(about, WM_COMMAND, IDOK, 0);

        // A click on the link's text.
        HWND link = user.Control(c::kGuideLink);
        ::PostMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        ::PostMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        ::SendMessageW(user.Window(), WM_NULL, 0, 0);  // both handled
    });
    ASSERT_EQ(seams.openedAddresses.size(), 1u);
    const std::wstring guide = Widen(platform::ExecutableFolder()) + L"\\guide.html";
    EXPECT_EQ(seams.openedAddresses[0], guide);
    EXPECT_TRUE(fs::exists(fs::path(guide)));
}

TEST_F(NativeWindow, BrowseOpensTheSystemsFolderPicker) {
    seams.realFolderPicker = true;
    DialogDriver::Run(seams, [](DialogDriver& user) {
        user.PostClick(c::kLibraryBrowse);
        HWND picker = user.WaitForWindow(win32::kFolderPickerTitle);
        ASSERT_NE(picker, nullptr);
        // Cancelled, it loads nothing.
        ::PostMessageW(picker, WM_COMMAND, IDCANCEL, 0);
        ::SendMessageW(user.Window(), WM_NULL, 0, 0);
        EXPECT_EQ(user.TextOf(c::kLibraryPath), L"");
        EXPECT_EQ(user.TextOf(c::kShowKits), L"Kits");
    });
}

TEST_F(NativeWindowWithLibrary, AFolderWithoutGroupsIsRefusedInTheSystemsMessageBox) {
    seams.realMessageBoxes = true;
    DialogDriver::Run(seams, [this](DialogDriver& user) {
        user.PostDrop({Widen(temp.Path())});
        HWND box = user.WaitForWindow(win32::ApplicationName());
        ASSERT_NE(box, nullptr);
        const std::wstring expected =
            L"Can't find Groups or Kits sub-folder in the entered path\r\n" + Widen(temp.Path()) +
            L"\\Kits\r\n\r\nThis app works on each Expansion " +
            L"library separate, you need to drop a path to a Single Expansion Library " + L"to convert it";
        EXPECT_TRUE(user.WaitForText(::GetDlgItem(box, 0xFFFF), expected))
            << Narrow(testing::WindowTextOf(::GetDlgItem(box, 0xFFFF)));
        // The window's thread takes a sent message before a posted one, even inside the box's own loop,
        // so the caption is waited for rather than read once.
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(user.WaitForText(c::kShowKits, L"Kits (0)")) << Narrow(user.TextOf(c::kShowKits));
    });
}

}  // namespace
}  // namespace kitvane
