#pragma once
// Add prefix (116): a dialling prefix put in front of the numbers of the
// selected entries, optionally in place of their first symbols.

#include <QDialog>

#include <vector>

class QLineEdit;
class QSpinBox;

namespace pelmora::model {
class Category;
class CategoryObserver;
} // namespace pelmora::model

namespace pelmora::ui {

class AddPrefixDialog : public QDialog {
    Q_OBJECT
public:
    AddPrefixDialog(model::Category& book, std::vector<int> selectedSlots,
                    model::CategoryObserver* list, QWidget* parent = nullptr);

    void accept() override;

private:
    model::Category& m_book;
    std::vector<int> m_selected;
    model::CategoryObserver* m_list;
    QLineEdit* m_prefix;
    QSpinBox* m_count;
};

} // namespace pelmora::ui
