#include "OptionsApply.h"

#include "CaseInsensitive.h"
#include "DiagnosticLogSwitch.h"
#include "FileAssociation.h"
#include "LangText.h"

#include <algorithm>

namespace pelmora::velmet {
namespace {

// The text when it holds ".", else "." before it; ".*" when empty.
std::u16string withDot(std::u16string_view text) {
    std::u16string extension;
    if (text.empty()) {
        extension = u".*";
    } else if (text.find(u'.') != std::u16string_view::npos) {
        extension = text;
    } else {
        extension = u"." + std::u16string(text);
    }
    extension.resize(std::min(extension.size(), kPatternLength));
    return extension;
}

bool containsIgnoringCase(std::u16string_view text, std::u16string_view part) {
    if (part.size() > text.size()) {
        return false;
    }
    for (std::size_t i = 0; i + part.size() <= text.size(); ++i) {
        if (platform::equalsIgnoreCase(text.substr(i, part.size()), part)) {
            return true;
        }
    }
    return false;
}

bool hasStar(std::u16string_view text) {
    return text.find(u'*') != std::u16string_view::npos;
}

// Check boxes that show their setting as it is.
struct CheckBox {
    bool OptionsForm::*box;
    bool Settings::*setting;
};
constexpr CheckBox kCheckBoxes[] = {
    {&OptionsForm::toolbarMode, &Settings::toolbarMode},
    {&OptionsForm::saveCsvAnsi, &Settings::saveCsvAnsi},
    {&OptionsForm::simReadWriteAll, &Settings::simReadWriteAll},
    {&OptionsForm::saveOnlyAdnCsv, &Settings::saveOnlyAdnCsv},
    {&OptionsForm::allowEmptyNameContacts, &Settings::allowEmptyNameContacts},
    {&OptionsForm::showButtonText, &Settings::showButtonText},
    {&OptionsForm::simSaveUpdatedOnly, &Settings::simSaveUpdatedOnly},
    {&OptionsForm::verifyAfterWrite, &Settings::verifyAfterWrite},
    {&OptionsForm::enableLog, &Settings::enableLog},
    {&OptionsForm::showDeletedSms, &Settings::showDeletedSms},
};

} // namespace

OptionsForm optionsForm(const Settings& settings) {
    OptionsForm form;
    form.defaultExtension = settings.defaultExtension;
    form.backupExtension = settings.backupExtension;
    form.saveWindowPos = settings.saveWindowPos;
    for (const CheckBox& check : kCheckBoxes) {
        form.*check.box = settings.*check.setting;
    }
    form.keepEmptySlots = !settings.simWithoutHoles;
    const LanguageList list = languageList(settings);
    form.language = list.current >= 0 ? list.names[static_cast<std::size_t>(list.current)]
                                      : settings.languageSection;
    return form;
}

LanguageList languageList(const Settings& settings) {
    LanguageList list;
    const auto file = languageFile();
    if (!file) {
        return list;
    }
    for (const LanguageChoice& choice : file->languages()) {
        if (list.current < 0 &&
            platform::equalsIgnoreCase(choice.section, settings.languageSection)) {
            list.current = static_cast<int>(list.names.size());
        }
        list.names.push_back(choice.name);
    }
    return list;
}

OptionsOutcome applyOptions(Settings& settings, const OptionsForm& form,
                            FileAssociation& association) {
    OptionsOutcome outcome;
    if (form.defaultExtension.empty()) {
        settings.defaultExtension = u".*";
    } else {
        if (!hasStar(settings.defaultExtension)) {
            association.unassociate(settings.defaultExtension);
        }
        settings.defaultExtension = withDot(form.defaultExtension);
        if (!hasStar(settings.defaultExtension)) {
            outcome.associationFailed =
                !association.associate(settings.defaultExtension, settings.title);
        }
    }
    if (!containsIgnoringCase(settings.filter, settings.defaultExtension)) {
        settings.filter = u"*.phn;*.csv;*" + settings.defaultExtension;
        settings.filter.resize(std::min(settings.filter.size(), kPatternLength));
    }
    settings.backupExtension = withDot(form.backupExtension);

    settings.saveWindowPos = form.saveWindowPos;
    if (!settings.saveWindowPos) {
        settings.windows.fill(WindowRect{});
    }

    if (const auto file = languageFile()) {
        if (const auto section = file->sectionFor(form.language)) {
            settings.languageSection = *section;
            useLanguageSection(*section);
        }
    }
    for (const CheckBox& check : kCheckBoxes) {
        settings.*check.setting = form.*check.box;
    }
    settings.simWithoutHoles = !form.keepEmptySlots;

    if (settings.enableLog) {
        switchDiagnosticLogsOn(true);
    } else {
        switchDiagnosticLogsOff();
    }
    return outcome;
}

} // namespace pelmora::velmet
