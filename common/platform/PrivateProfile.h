#pragma once
// The per-key private-profile functions with their Windows behaviour, as thin
// wrappers over ProfileDocument: each call loads the file, and a write saves it
// with one atomic replacement. Code that reads or writes many keys of one file
// should use ProfileDocument directly.
//
// Strings are NUL-terminated UTF-16; file names are paths (relative ones to
// the current folder). A missing file reads as empty.

#include <cstdint>

namespace pelmora::platform {

// Copies the value of key in section into buffer (size characters including
// the terminating NUL) and returns the number of characters copied without
// that NUL. A missing key gives the default (null: empty) less its trailing
// blanks. A value that does not fit is cut and the result is size - 1.
// With a null section: the section names; with a null key: the section's key
// names; each list is NUL-separated and ends with a second NUL, the result
// counts every character but the last NUL, and a list that does not fit is
// cut, ends with two NULs and gives size - 2.
uint32_t GetPrivateProfileString(const char16_t* section, const char16_t* key,
                                 const char16_t* defaultValue, char16_t* buffer, uint32_t size,
                                 const char16_t* fileName);

// The value read as an integer: optional sign, decimal or "0x" hexadecimal,
// up to the first other character (no digits: 0). A missing or empty value
// gives the default. Negative numbers come back in two's complement.
uint32_t GetPrivateProfileInt(const char16_t* section, const char16_t* key, int32_t defaultValue,
                              const char16_t* fileName);

// Sets a value, creating the file and the section as needed; a null value
// deletes the key, a null key deletes the section. Returns 1 on success, 0
// on failure (errno tells why); a failed write leaves the file as it was.
int WritePrivateProfileString(const char16_t* section, const char16_t* key, const char16_t* value,
                              const char16_t* fileName);

// Reads size bytes stored by WritePrivateProfileStruct: returns 1 and fills
// data only when the value has exactly that length and a valid checksum.
int GetPrivateProfileStruct(const char16_t* section, const char16_t* key, void* data, uint32_t size,
                            const char16_t* fileName);

// Stores size bytes as upper-case hex pairs followed by a checksum byte (the
// sum of the bytes modulo 256). Null data deletes the key.
int WritePrivateProfileStruct(const char16_t* section, const char16_t* key, const void* data,
                              uint32_t size, const char16_t* fileName);

} // namespace pelmora::platform
