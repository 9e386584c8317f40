#pragma once

#include <array>
#include <string>
#include <string_view>

#include "base/EngineHost.h"
#include "base/ResultTable.h"
#include "platform/Launcher.h"

namespace tarnvik::core {

// How the program of a LaunchTable entry is started: through the shell's
// "open" verb with the quoted path as its parameter, or as a plain command
// line with the path appended. On Linux both stand for the desktop's program
// for that kind of document; the kind is kept so that every platform can map
// the two starts its own way.
enum class StartKind {
  Shell,
  CommandLine,
};

// One entry of the launch table: the extension key (upper case, without the
// dot), the program text and how it is started.
struct LaunchEntry {
  std::u16string_view extension;
  std::u16string_view program;
  StartKind startedBy;
};

// The fixed extension-to-program table, searched in this order with an exact,
// code-unit match of the key.
inline constexpr std::array<LaunchEntry, 11> LaunchTable{{
    {u"XLS", u"EXCEL.exe", StartKind::Shell},
    {u"XLSX", u"EXCEL.exe", StartKind::Shell},
    {u"DOC", u"WINWORD.exe", StartKind::Shell},
    {u"PPT", u"POWERPNT.exe", StartKind::Shell},
    {u"TXT", u"NOTEPAD.exe", StartKind::Shell},
    {u"CSV", u"EXCEL.exe", StartKind::Shell},
    {u"JPG", u"Rundll32.exe Shimgvw.dll, ImageView_Fullscreen", StartKind::CommandLine},
    {u"GIF", u"Rundll32.exe Shimgvw.dll, ImageView_Fullscreen", StartKind::CommandLine},
    {u"BMP", u"MSPAINT.exe", StartKind::Shell},
    {u"PDF", u"AcroRd32.exe", StartKind::Shell},
    {u"XDW", u"C:\\Program Files\\Fuji Xerox\\DocuWorks\\bin\\DWVLT.exe", StartKind::Shell},
}};

// The message shown when the extension of a file has no entry in LaunchTable.
inline constexpr std::u16string_view kNoLaunchProgramMessage =
    u"選択したレポートの起動プログラムは、未設定です！！";

// The folder a result row points to: when `folderCell` (the row's relative
// folder) is blank, that is, nothing but code units up to U+0020, the shown
// root itself; otherwise the shown root, the separator ("/", or "\\" on
// Windows) and the folder cell exactly as it stands, with no separator
// doubled when the root already ends in one (the root "/" gives "/" + cell). The cell is not
// trimmed: a folder name may begin or end with spaces, and cutting them would point at another
// folder. The root is the one shown now, not the one that was searched.
std::u16string LaunchFolder(std::u16string_view shownRoot, std::u16string_view folderCell,
                            char16_t separator = u'/');

// What a double-click on a file does.
struct LaunchDecision {
  // Index of the matching LaunchTable entry, or -1 when the extension has
  // none (the caller then shows kNoLaunchProgramMessage and starts nothing).
  int entry = -1;
  // The entry's start kind and program text; Shell and empty when none.
  StartKind kind = StartKind::Shell;
  std::u16string_view program;
  // The full path of the file: dir, the separator (not doubled when dir
  // ends in it) and name, exactly, whatever their length, with no padding, quoting or
  // cutting. Set whether or not an entry matched.
  std::u16string path;

  bool Known() const { return entry >= 0; }
};

// Looks up the program for the file `name` in folder `dir`. The extension is
// the text after the last "." of the name with ASCII letters in upper case
// (no "." means no extension); it must equal a key of LaunchTable exactly, so
// "DOCX", "PPTX", "JPEG", "PNG" and an empty extension have no entry. Pure;
// any thread.
LaunchDecision DecideLaunch(std::u16string_view dir, std::u16string_view name,
                            char16_t separator = u'/');

// Opens the file `name` in folder `dir` with its program: decides as above;
// for an extension without an entry shows kNoLaunchProgramMessage through
// host.ShowMessage and starts nothing; otherwise hands the full path (joined
// with launcher.Separator()), turned back into the file system's exact bytes
// (base::TextToNative), to
// launcher.OpenDocument, for either start kind. Whether the program started
// is not examined: a failed start shows nothing. UI thread.
void LaunchFile(std::u16string_view dir, std::u16string_view name, platform::Launcher& launcher,
                base::EngineHost& host);

// The double-click on a row of a result table: the name is column 1 and the
// relative folder column 2 of `row`; the folder is LaunchFolder(shownRoot,
// column 2, launcher.Separator()), then LaunchFile. A row outside the table (negative included)
// reads as empty cells and so shows the message. UI thread.
void LaunchRow(const base::ResultTable& table, int row, std::u16string_view shownRoot,
               platform::Launcher& launcher, base::EngineHost& host);

}  // namespace tarnvik::core
