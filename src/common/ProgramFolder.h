#pragma once

#include <QString>

// The folder that holds "init.ini" and every file named without a folder. It is the
// executable's folder when that holds an "init.ini" that can be written (a build or
// portable folder); otherwise the user's data folder, seeded from the installed
// defaults. A test or fortavo-cli --folder points it elsewhere.
namespace ProgramFolder {
QString path(); // with a trailing "/"
void setPath(const QString &folder);
// A name without a directory separator names a file in the program folder.
QString resolve(const QString &fileName);
QString configFile();

// The folder the program uses when nothing points it elsewhere: the executable's own
// folder or the user's data folder, as above. Creates the data folder and seeds it on
// its first start only, leaving the marker file SeededMarker in it.
QString defaultFolder(const QString &executableFolder);
constexpr const char *SeededMarker = ".seeded";
// Why the program folder cannot be used ("Cannot create the data folder "<path>":
// <reason>."), or empty.
QString unavailableReason();
// The user's data folder ("fortavo" in the user's data location, e.g.
// ~/.local/share/fortavo), the same for the program and fortavo-cli.
QString userDataFolder();
// The installed defaults for an executable folder ("<prefix>/share/fortavo" beside
// "<prefix>/bin"), or empty when there are none.
QString installedDefaults(const QString &executableFolder);
// Copies every file of defaults that target lacks (sub-folders too); a file already
// in target is never overwritten.
void seed(const QString &target, const QString &defaults);
}
