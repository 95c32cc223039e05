#include "UnsavedChanges.h"

#include "Document.h"

namespace pelmora::model {

UnsavedQuestion unsavedChangesQuestion(std::span<const Document* const> documents, LeaveWay way) {
    UnsavedQuestion question;
    for (const Document* document : documents) {
        if (document == nullptr) {
            continue;
        }
        for (const auto& category : document->categories()) {
            if (!category->unchanged()) {
                question.firstChanged = category.get();
                break;
            }
        }
        if (question.firstChanged != nullptr) {
            break;
        }
    }
    if (question.firstChanged != nullptr) {
        const bool closesDocument = way == LeaveWay::CloseDocument;
        question.text = closesDocument ? kCloseChangedDocumentText : kKeepProgramOpenText;
        question.yesLeaves = closesDocument;
    }
    return question;
}

bool mayLeave(std::span<const Document* const> documents, LeaveWay way,
              const std::function<bool(const UnsavedQuestion&)>& askYes) {
    const UnsavedQuestion question = unsavedChangesQuestion(documents, way);
    if (question.firstChanged == nullptr) {
        return true;
    }
    return askYes(question) == question.yesLeaves;
}

} // namespace pelmora::model
