#pragma once
// The About box: the program's name and version, what it does, its licence,
// the versions of the card plug-in, Qt and pcsc-lite, and a link to the
// manual. Each line is a label named after what it shows.

#include "AboutFacts.h"
#include "AboutTexts.h"

#include <QDialog>

namespace pelmora::qulvio {

class AboutBox : public QDialog {
public:
    AboutBox(const AboutFacts& facts, const AboutTexts& texts, QWidget* parent);
};

} // namespace pelmora::qulvio
