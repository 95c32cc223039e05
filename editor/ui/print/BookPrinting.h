#pragma once
// The window's Print command: the print setup, the printer choice and the
// pages of the selected book, painted on a worker while the window waits.

#include "Category.h"
#include "Settings.h"

#include <QIcon>
#include <QImage>

#include <functional>

class QPrinter;
class QWidget;

namespace pelmora::ui {

enum class PrintOutcome { NothingToPrint, SetupCancelled, PrinterCancelled, Printed, Failed };

// Asks for the printer; false when the user cancelled.
using PrinterChoice = std::function<bool(QPrinter& printer, QWidget* parent)>;
// The platform's print dialog. Every page is printed, so it offers no range.
[[nodiscard]] bool choosePrinterInDialog(QPrinter& printer, QWidget* parent);

struct PrintRequest {
    const model::Category* book = nullptr; // the selected book; nullptr for none
    QIcon kindIcon;                        // the book's tree icon
    QImage programIcon;                    // the logo the program's path stands for
};

// The options are stored when the setup ends with OK, even if the printer
// choice is then cancelled. A print that fails is reported to the user.
[[nodiscard]] PrintOutcome printBook(QWidget* parent, velmet::Settings& settings,
                                     const PrintRequest& request,
                                     const PrinterChoice& choosePrinter = choosePrinterInDialog);

} // namespace pelmora::ui
