#include "core/startup.h"

#include "core/datafiles.h"
#include "core/fieldreader.h"
#include "core/modsettings.h"
#include "core/prompts.h"
#include "core/serverconfig.h"

namespace corvane {
namespace {

void showMissingFiles(Prompts& prompts) {
    prompts.messageBox("",
                       "Unable to open required file! Please make sure you extracted the contents "
                       "of the zipped directory and the 'Data' folder exists!",
                       MessageButtons::Ok, MessageIcon::Critical);
}

} // namespace

bool CheckModVersion(const AppPaths& paths, Prompts& prompts) {
    std::string version;
    try {
        FieldReader in(readFieldFile(paths.file(kModFile)));
        in.readText();
        version = in.readText();
    } catch (const FieldReadError&) {
        showMissingFiles(prompts);
        return false;
    }
    if (version != kBuildVersion) {
        prompts.messageBox(std::string("Version ") + kBuildVersion,
                           "Upgrade is not supported - Please create a new directory and reset all "
                           "your settings for your server!",
                           MessageButtons::Ok, MessageIcon::Critical);
        return false;
    }
    return true;
}

StartMode decideStartMode(const AppPaths& paths, Prompts& prompts) {
    if (!CheckModVersion(paths, prompts)) return StartMode::End;
    try {
        FieldReader in(readFieldFile(paths.file(kConfigFile)));
        return in.readText() == kFirstRunMarker ? StartMode::FirstRun : StartMode::MainWindow;
    } catch (const FieldReadError&) {
        showMissingFiles(prompts);
        return StartMode::End;
    }
}

} // namespace corvane
