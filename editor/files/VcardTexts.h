#pragma once
// Language texts of .vcf files: the name of the file type, why a file is no
// vCard file, and what an import could not take as it was.

namespace pelmora::model {

inline constexpr int kVcardFilterText = 850;
inline constexpr int kVcardBinaryText = 851;
inline constexpr int kVcardNotALineText = 852;
inline constexpr int kVcardMissingEndText = 853;
inline constexpr int kVcardEndWithoutBeginText = 854;
inline constexpr int kVcardUnknownCharsetText = 855;
inline constexpr int kVcardNotUtf8Text = 856;
inline constexpr int kVcardNoCardText = 857;
inline constexpr int kVcardNameCutText = 858;
inline constexpr int kVcardNumberCutText = 859;
inline constexpr int kVcardNotANumberText = 860;
inline constexpr int kVcardBookFullText = 861;
inline constexpr int kVcardNoPlaceText = 862;
inline constexpr int kVcardNotAValueText = 863;

} // namespace pelmora::model
