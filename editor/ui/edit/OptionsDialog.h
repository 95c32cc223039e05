#pragma once
// Options (113): the preferences that the user may change, applied to the
// settings on OK. The caller then applies the language to its window.

#include "OptionsApply.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;
class QIcon;
class QLineEdit;

namespace pelmora::velmet {
class FileAssociation;
}

namespace pelmora::ui {

class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    OptionsDialog(velmet::Settings& settings, velmet::FileAssociation& association,
                  const QIcon& icon, QWidget* parent = nullptr);

    void accept() override;

private:
    struct Check {
        QCheckBox* box;
        bool velmet::OptionsForm::*field;
    };

    [[nodiscard]] velmet::OptionsForm form() const;

    velmet::Settings& m_settings;
    velmet::FileAssociation& m_association;
    QLineEdit* m_defaultExtension;
    QLineEdit* m_backupExtension;
    QComboBox* m_language;
    std::vector<Check> m_checks;
};

} // namespace pelmora::ui
