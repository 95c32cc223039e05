#pragma once

namespace pelmora::platform {

// How a text file is stored: the ANSI code page of the system, or Unicode
// marked by its byte-order mark.
enum class TextEncoding { Ansi, Utf8, Utf16LE };

} // namespace pelmora::platform
