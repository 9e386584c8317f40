#pragma once

#include <functional>
#include <memory>
#include <string>

namespace tarnvik::platform {

class DirectoryTree;
class FileManager;
class FileQueries;
class Launcher;
class LocalClock;
class SettingsStore;
class Spreadsheet;
class TextMapper;

// Opens a saved workbook for the user; false when it could not be opened.
using WorkbookOpener = std::function<bool(const std::string& nativePath)>;

// What the engine and every front end get from the operating system. Built
// once per program by the composition of its platform (SystemServices) and
// handed down; tests hand in their own parts the same way. Every pointer is
// set and outlives the objects it is handed to.
struct EngineServices {
  // A new directory walker, one per search.
  std::function<std::unique_ptr<DirectoryTree>()> newDirectoryTree;
  // A new workbook, one per export: saved for viewing and handed to
  // `opener` (the window's Excel buttons), or written to a file (the
  // command line's --xlsx).
  std::function<std::unique_ptr<Spreadsheet>(WorkbookOpener opener)> newWorkbookForViewing;
  std::function<std::unique_ptr<Spreadsheet>(const std::string& nativePath)> newWorkbookFile;
  // Single-path questions: metadata, folders, the default root.
  const FileQueries* files = nullptr;
  // The Japanese text mapping of the keyword filter.
  const TextMapper* textMapper = nullptr;
  // Local time for the time texts.
  const LocalClock* clock = nullptr;
};

// The window's services: the engine's, and what only a desktop program
// needs. Built by the desktop composition (DesktopServices).
struct Services {
  EngineServices engine;
  // The saved settings.
  SettingsStore* settings = nullptr;
  // Opens documents with the desktop's programs.
  Launcher* launcher = nullptr;
  // Shows files in their folders in the desktop's file manager.
  FileManager* fileManager = nullptr;
};

}  // namespace tarnvik::platform
