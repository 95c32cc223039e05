#include "BookPropertiesDialog.h"

#include "UiText.h"

namespace pelmora::ui {

namespace {
constexpr int kTitle = 131;
} // namespace

BookPropertiesDialog::BookPropertiesDialog(const QString& caption,
                                           const model::BookPropertyTexts& v,
                                           velmet::Settings& settings, const QString& readerLine,
                                           const QPixmap& decoration, QWidget* owner)
    : PropertiesDialog("109", kTitle, velmet::WindowKey::FileInfo, settings, readerLine, decoration,
                       owner) {
    addRow(112, "1116", "1115", caption);
    addRow(113, "1118", "1117", fromU16(v.kind));
    addRow(114, "1120", "1119", fromU16(v.records));
    addRow(115, "1122", "1121", fromU16(v.recordLength));
    addRow(116, "1125", "1123", fromU16(v.readCondition));
    addRow(117, "1128", "1124", fromU16(v.updateCondition));
}

} // namespace pelmora::ui
