#include "core/LaunchDecision.h"

#include "base/TextCodec.h"
#include "core/ColumnLayout.h"
#include "lib/Fnc_StdFnc.h"

namespace tarnvik::core {

namespace {

// Roots carry no trailing separator except "/" itself, so one check keeps
// every join single.
std::u16string JoinPath(std::u16string_view dir, std::u16string_view name, char16_t separator) {
  std::u16string out;
  out.reserve(dir.size() + 1 + name.size());
  out.append(dir);
  if (out.empty() || out.back() != separator) out.push_back(separator);
  out.append(name);
  return out;
}

}  // namespace

std::u16string LaunchFolder(std::u16string_view shownRoot, std::u16string_view folderCell,
                            char16_t separator) {
  if (lib::IsBlank(folderCell)) return std::u16string(shownRoot);
  return JoinPath(shownRoot, folderCell, separator);
}

LaunchDecision DecideLaunch(std::u16string_view dir, std::u16string_view name, char16_t separator) {
  LaunchDecision d;
  d.path = JoinPath(dir, name, separator);
  const std::u16string ext = base::ExtensionText(std::u16string(name));
  if (ext.empty()) return d;
  for (size_t i = 0; i < LaunchTable.size(); ++i) {
    if (LaunchTable[i].extension == ext) {
      d.entry = static_cast<int>(i);
      d.kind = LaunchTable[i].startedBy;
      d.program = LaunchTable[i].program;
      break;
    }
  }
  return d;
}

void LaunchFile(std::u16string_view dir, std::u16string_view name, platform::Launcher& launcher,
                base::EngineHost& host) {
  const LaunchDecision d = DecideLaunch(dir, name, launcher.Separator());
  if (!d.Known()) {
    host.ShowMessage(std::u16string(kNoLaunchProgramMessage));
    return;
  }
  // The desktop picks the program for either start kind; a failed start is
  // silent by design.
  launcher.OpenDocument(base::TextToNative(d.path));
}

void LaunchRow(const base::ResultTable& table, int row, std::u16string_view shownRoot,
               platform::Launcher& launcher, base::EngineHost& host) {
  static const std::u16string kNone;
  const std::u16string& name = row >= 0 ? table.Cell(base::kColName, row) : kNone;
  const std::u16string& folder = row >= 0 ? table.Cell(base::kColFolder, row) : kNone;
  LaunchFile(LaunchFolder(shownRoot, folder, launcher.Separator()), name, launcher, host);
}

}  // namespace tarnvik::core
