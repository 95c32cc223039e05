#pragma once
// The question asked before unsaved edits would be lost: by every way of
// ending the program (close box, Exit, Esc) and by closing a document.

#include <functional>
#include <span>

namespace pelmora::model {

class Category;
class Document;

enum class LeaveWay { CloseBox, Exit, Escape, CloseDocument };

struct UnsavedQuestion {
    const Category* firstChanged = nullptr; // the first changed book, in tree order
    int text = 0;                           // the question's text number
    bool yesLeaves = false;                 // which answer lets the program or document go
};

// Program text: "keep the program open?"; document text: "close it anyway?".
inline constexpr int kKeepProgramOpenText = 226;
inline constexpr int kCloseChangedDocumentText = 350;

// The question to ask, or none (firstChanged nullptr) when nothing is changed.
// documents: every root for the program's ways out, the closed root for
// CloseDocument.
[[nodiscard]] UnsavedQuestion unsavedChangesQuestion(std::span<const Document* const> documents,
                                                     LeaveWay way);

// Asks at most once, however many books changed; askYes shows the text and
// tells whether the user answered Yes. True when the program or document may go.
[[nodiscard]] bool mayLeave(std::span<const Document* const> documents, LeaveWay way,
                            const std::function<bool(const UnsavedQuestion&)>& askYes);

} // namespace pelmora::model
