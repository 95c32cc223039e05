#pragma once
// The support library: file-type registration and the About box. Strings are in the ANSI code
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

// The language file (a path) and its section (UTF-8) for the About box's
// texts; the program's shipped lang.ini in "en" until this is called.
QULVIO_EXPORT int set_lang_ini(const char* languageFile, const char* section);
// Shows the modal About box owned by parent (a QWidget*, may be null) in the
// caller's running QApplication; 0 when there is none.
QULVIO_EXPORT int AboutDialog(void* parent);

typedef int (*AssociateExFunction)(const char*, const char*, const char*, const char*, const char*,
                                   const char*, int);
typedef int (*AssociateFunction)(const char*, const char*, const char*, const char*, const char*);
typedef int (*UnAssociateFunction)(const char*);
typedef int (*SetLangIniFunction)(const char*, const char*);
typedef int (*AboutDialogFunction)(void*);

#ifdef __cplusplus
}
#endif
