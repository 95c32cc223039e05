#pragma once
// Rows of text printed in aligned columns, two blanks apart.

#include <string>
#include <vector>

namespace pelmora::cli {

class TextTable {
public:
    // Control characters of the cells (they come from files and cards) are
    // shown escaped ("\x1B"), so that no cell can steer the terminal.
    void addRow(std::vector<std::u16string> row);
    // Leaves out the columns after the first that are empty in every row but the first.
    void dropEmptyColumns();
    // Each line starts with the indent.
    void print(const std::string& indent) const;

private:
    std::vector<std::vector<std::u16string>> m_rows;
};

} // namespace pelmora::cli
