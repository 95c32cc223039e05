#pragma once
// "Velmet --screenshot FILE ...": the window as it stands a few seconds after
// the start saved as a PNG, then the program ends. For the demo on a machine
// without a display, run under a virtual one.

#include <QString>
#include <QStringList>

class QWidget;

namespace pelmora::ui {

inline constexpr const char* kSnapshotOption = "--screenshot";

// Takes "--screenshot FILE" out of the arguments; the file, or "" when not asked.
[[nodiscard]] QString takeSnapshotOption(QStringList& arguments);
// After the delay: the window into the file, then the program quits.
void scheduleSnapshot(QWidget& window, const QString& file, int delayMs);

} // namespace pelmora::ui
