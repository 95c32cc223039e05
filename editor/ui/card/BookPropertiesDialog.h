#pragma once
// One phone book's properties (109): its name, file id, records, record
// length and access conditions.

#include "CardProperties.h"
#include "PropertiesDialog.h"

namespace pelmora::ui {

class BookPropertiesDialog : public PropertiesDialog {
    Q_OBJECT

public:
    // caption: the book's name as the tree shows it.
    BookPropertiesDialog(const QString& caption, const model::BookPropertyTexts& values,
                         velmet::Settings& settings, const QString& readerLine,
                         const QPixmap& decoration, QWidget* owner);
};

} // namespace pelmora::ui
