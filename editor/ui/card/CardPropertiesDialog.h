#pragma once
// The card's properties (108): PIN states and attempts, ATR, ICCID, IMSI,
// service provider, phase and network, and "Save info", which the command
// behind the dialog carries out.

#include "CardProperties.h"
#include "PropertiesDialog.h"

namespace pelmora::ui {

class CardPropertiesDialog : public PropertiesDialog {
    Q_OBJECT

public:
    CardPropertiesDialog(const model::CardPropertyTexts& values, velmet::Settings& settings,
                         const QString& readerLine, const QPixmap& decoration, QWidget* owner);

signals:
    // Save info was pressed: append the card's line to a file.
    void saveInfoRequested();
};

} // namespace pelmora::ui
