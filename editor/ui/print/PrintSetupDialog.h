#pragma once
// Print setup (112): the header lines, title, logo and page numbers of the
// next print. OK and Apply store them in the settings; Cancel leaves them.

#include "PrintOptions.h"
#include "Settings.h"

#include <QDialog>
#include <QIcon>
#include <QImage>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pelmora::ui {

class PrintSetupDialog : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY(PrintSetupDialog)

public:
    // kindIcon: the printed book's tree icon; programIcon: the logo that the
    // program's own path stands for.
    PrintSetupDialog(velmet::Settings& settings, const QIcon& kindIcon, const QImage& programIcon,
                     QWidget* parent = nullptr);

private:
    void setUpControls(const QIcon& kindIcon);
    void fillFromSettings();
    void optionChanged();
    void titleToggled(bool checked);
    void logoToggled(bool checked);
    void browse();
    void refreshPreview();
    void apply();
    [[nodiscard]] QString logoPath() const;
    [[nodiscard]] print::PrintOptions chosenOptions() const;

    velmet::Settings& m_settings;
    QImage m_programIcon;
    QCheckBox* m_source = nullptr;
    QCheckBox* m_programName = nullptr;
    QCheckBox* m_dateTime = nullptr;
    QCheckBox* m_pageNumbers = nullptr;
    QCheckBox* m_title = nullptr;
    QLineEdit* m_titleEdit = nullptr;
    QCheckBox* m_logo = nullptr;
    QLineEdit* m_logoEdit = nullptr;
    QLabel* m_preview = nullptr;
    QPushButton* m_apply = nullptr;
};

// The patterns of the logo file dialog: DEFIMGEXT, and the picture types a
// Linux logo mostly comes in.
[[nodiscard]] QString logoFilter(const QString& caption, const std::u16string& patterns);

} // namespace pelmora::ui
