#include "InstallCheck.h"

#include "IconBundle.h"
#include "UiText.h"

#include <QFileInfo>

#include <cstdio>
#include <dlfcn.h>

namespace pelmora::ui {

namespace {

// The library file that holds a bound entry point.
QString libraryHolding(const void* entryPoint) {
    Dl_info info{};
    if (entryPoint == nullptr || dladdr(entryPoint, &info) == 0 || info.dli_fname == nullptr)
        return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath();
}

// "<what>: <where>", or "<what>: missing".
bool report(int what, const QString& where) {
    const QString line = text(900, text(what).toStdU16String(),
                              (where.isEmpty() ? text(904) : where).toStdU16String());
    std::printf("%s\n", line.toLocal8Bit().constData());
    return !where.isEmpty();
}

} // namespace

bool installCheckRequested(const QStringList& arguments) {
    return arguments.size() == 2 && arguments[1] == QLatin1String(kInstallCheckOption);
}

int runInstallCheck(const velmet::Settings& settings, const model::PluginBinding& plugin) {
    const QString languageFile = QString::fromStdString(settings.languageFile.string());
    const bool languageFound = !text(1).isEmpty() && QFileInfo(languageFile).isFile();

    const QString bundlePath = QString::fromStdU16String(settings.resourceFile);
    IconBundle bundle;
    const bool bundleFound = bundle.load(bundlePath);

    const void* entryPoint =
        plugin.bound() ? reinterpret_cast<const void*>(plugin.exports().enum_sim) : nullptr;

    bool complete = report(901, languageFound ? languageFile : QString());
    complete = report(902, bundleFound ? bundlePath : QString()) && complete;
    complete = report(903, libraryHolding(entryPoint)) && complete;
    std::fflush(stdout);
    return complete ? 0 : 1;
}

} // namespace pelmora::ui
