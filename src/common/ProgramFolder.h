#pragma once

#include <QString>

// The folder that holds "init.ini" and every file named without a folder. It is the
// executable's folder unless a test or fortavo-cli points it elsewhere.
namespace ProgramFolder {
QString path(); // with a trailing "/"
void setPath(const QString &folder);
// A name without a directory separator names a file in the program folder.
QString resolve(const QString &fileName);
QString configFile();
}
