#pragma once
// What a document tells the tree about its books. Called on the UI thread.

namespace pelmora::model {

class Category;
class Document;

class DocumentListener {
public:
    virtual ~DocumentListener() = default;
    // The book was appended to the document's books.
    virtual void categoryAdded(Document& /*document*/, Category& /*category*/) {}
    // Every book of the document is about to be destroyed.
    virtual void categoriesReleasing(Document& /*document*/) {}
};

} // namespace pelmora::model
