#include "CardPropertiesDialog.h"

#include "UiText.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace pelmora::ui {

namespace {
constexpr int kTitle = 50;
constexpr int kTextSaveInfo = 195;
} // namespace

CardPropertiesDialog::CardPropertiesDialog(const model::CardPropertyTexts& v,
                                           velmet::Settings& settings, const QString& readerLine,
                                           const QPixmap& decoration, QWidget* owner)
    : PropertiesDialog("108", kTitle, velmet::WindowKey::SimInfo, settings, readerLine, decoration,
                       owner) {
    addRow(102, "1113", "1105", fromU16(v.pin1State));
    addRow(97, "1093", "1104", fromU16(v.pin1Attempts));
    addRow(98, "1094", "1102", fromU16(v.puk1Attempts));
    addRow(99, "1095", "1103", fromU16(v.pin2Attempts));
    addRow(100, "1096", "1101", fromU16(v.puk2Attempts));
    addRow(106, "1098", "1097", fromU16(v.atr));
    addRow(101, "1099", "1100", fromU16(v.iccid));
    addRow(103, "1107", "1106", fromU16(v.imsi));
    addRow(104, "1110", "1109", fromU16(v.serviceProvider));
    addRow(-1, "phaseLabel", "1108", fromU16(v.phase));
    addRow(105, "1112", "1111", fromU16(v.network));

    auto* save = new QPushButton(text(kTextSaveInfo), this);
    save->setObjectName(QStringLiteral("1159"));
    save->setAutoDefault(false);
    connect(save, &QPushButton::clicked, this, &CardPropertiesDialog::saveInfoRequested);
    buttonRow().insertWidget(0, save);
}

} // namespace pelmora::ui
