#pragma once
// The support library's file-type registration. Strings are in the ANSI code
// page; every one but the extension may be null or empty for its default.
// Each function returns 1 on success and 0 on failure.

#ifdef __cplusplus
extern "C" {
#endif

#if defined(QULVIO_BUILDING)
#define QULVIO_EXPORT __attribute__((visibility("default")))
#else
#define QULVIO_EXPORT
#endif

QULVIO_EXPORT int AssociateEx(const char* extension, const char* identifier, const char* openText,
                              const char* prefix, const char* description, const char* iconFile,
                              int iconIndex);
// AssociateEx without an icon file: the program's own icon.
QULVIO_EXPORT int Associate(const char* extension, const char* identifier, const char* openText,
                            const char* prefix, const char* description);
// Removes the extension from the registrations this library made.
QULVIO_EXPORT int UnAssociate(const char* extension);

typedef int (*AssociateExFunction)(const char*, const char*, const char*, const char*, const char*,
                                   const char*, int);
typedef int (*AssociateFunction)(const char*, const char*, const char*, const char*, const char*);
typedef int (*UnAssociateFunction)(const char*);

#ifdef __cplusplus
}
#endif
