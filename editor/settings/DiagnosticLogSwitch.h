#pragma once
// The editor's logging option: it switches on the log files of the editor and
// of the modules it loads, and switching it off deletes them.

namespace pelmora::velmet {

// Creates the log files that switch logging on (editor, helper and card
// plug-in); with writeHeader the editor's own log starts at once with its
// system-information header.
void switchDiagnosticLogsOn(bool writeHeader);
// Deletes those log files and stops the editor's logging.
void switchDiagnosticLogsOff();

} // namespace pelmora::velmet
