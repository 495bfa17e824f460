#pragma once
// Program templates: where they lie, how they are read and written, and how their placeholders are
// filled. Template and program text is UTF-8 bytes, kept with whatever line ends the template has.
#include <optional>
#include <string>
#include <string_view>

#include "app/window_services.h"

namespace kitvane {

inline constexpr const char* kDrumTemplate = "drum.xpm";
inline constexpr const char* kDrumLoopTemplate = "drumloop.xpm";
inline constexpr const char* kKeygroupTemplate = "keygroup.xpm";
inline constexpr const char* kKeyLoopTemplate = "keyloop.xpm";

// folder + "\" + fileName.
std::string TemplatePath(const std::string& folder, const std::string& fileName);
// True when a file-status query on the path succeeds.
bool TemplatePresent(const std::string& path);
// "Can't find the " + fileName + " - it should be where this app exe is!"
std::string MissingTemplateMessage(const std::string& fileName);

// The template's bytes up to the first NUL. A file that can't be opened gives "" silently; one that
// opens but can't be read gives "" after ui.ShowFileError.
std::string ReadTemplate(const std::string& path, WindowServices& ui);

// The text of a template that a builder needs: when it is not present, its missing-template message
// is shown and there is none.
std::optional<std::string> ReadRequiredTemplate(const std::string& folder, const std::string& fileName,
                                                WindowServices& ui);

// Replaces the file at path with text, through a temporary file renamed over it, so the old content
// stays until the new one is complete. A file that can't be created is skipped silently; a write that
// fails part-way is shown with ui.ShowFileError and leaves the old file as it was.
void WriteProgramFile(const std::string& path, const std::string& text, WindowServices& ui);

// Replaces every occurrence of placeholder in text by value, scanning left to right without overlap;
// the inserted value is not scanned again. An empty placeholder replaces nothing.
void ReplaceAll(std::string& text, const std::string& placeholder, const std::string& value);
// Appends text to out with the replacements of ReplaceAll made, without copying text first.
void AppendReplaced(std::string& out, std::string_view text, const std::string& placeholder,
                    const std::string& value);
// The value with &, <, >, " and ' written as XML entities.
std::string XmlEscaped(const std::string& value);
// ReplaceAll with the value XML-escaped: the way every value but the joined instrument blocks goes
// into a template, so a name such as "R&B Drums" keeps the program loadable.
void ReplacePlaceholder(std::string& text, const std::string& placeholder, const std::string& value);

// A numbered placeholder: prefix + number + "%%", as in "%%SAMPLENAME2%%" or "##ROOTNOTE1%%".
std::string NumberedPlaceholder(const std::string& prefix, int number);
// The colour placeholder of pad padNumber (1..128): "%%COLOR" + padNumber + "%%".
std::string ColorPlaceholder(int padNumber);

}  // namespace kitvane
