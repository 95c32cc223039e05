#pragma once
// Find and replace (103) over the entries of one book: find next, replace,
// replace all. The texts and check boxes come from the settings when it opens
// and go back there when it closes.

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pelmora::model {
class Category;
class CategoryObserver;
struct SearchOptions;
} // namespace pelmora::model

namespace pelmora::velmet {
struct Settings;
}

namespace pelmora::ui {

class FindReplaceDialog : public QDialog {
    Q_OBJECT
public:
    // list: the entry list that shows the book; it selects the found entry.
    FindReplaceDialog(model::Category& book, model::CategoryObserver* list,
                      velmet::Settings& settings, QWidget* parent = nullptr);

    void done(int result) override;

private:
    void findNext();
    void replace();
    void replaceAll();
    void followSearchText();
    void say(const QString& message);
    [[nodiscard]] model::SearchOptions options() const;

    model::Category& m_book;
    model::CategoryObserver* m_list;
    velmet::Settings& m_settings;
    QLineEdit* m_search;
    QLineEdit* m_replacement;
    QCheckBox* m_matchCase;
    QCheckBox* m_matchWord;
    QPushButton* m_findNext;
    QPushButton* m_replace;
    QPushButton* m_replaceAll;
    QLabel* m_status;
};

} // namespace pelmora::ui
