#pragma once
// The settings that phone-book files and clipboard text depend on; the
// caller takes them from the settings record.

#include "BookKind.h"

namespace pelmora::model {

struct PhoneBookFileOptions {
    // Entries without a name are written and read like any other.
    bool allowEmptyNameContacts = false;
    // .csv files hold only the ADN and iDEN books, and reading one makes only
    // the book its columns call for.
    bool saveOnlyAdnCsv = true;
    // .csv files are written in the ANSI code page (when it holds every character).
    bool saveCsvAnsi = true;
    // .vcf files are written as vCard 4.0 instead of 3.0.
    bool vcard4 = false;
    // Sizes of books created from a .csv or .vcf file.
    BookCapacities capacities;
};

} // namespace pelmora::model
