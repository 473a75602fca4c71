#include "cli/CliContext.h"

#include <QDir>
#include <QFileInfo>

void CliContext::claimForWriting(const QString &path)
{
    auto mark = std::make_unique<FileLock::Mark>(path, QStringLiteral("fortavo-cli"));
    if (mark->claim()) {
        m_claims.push_back(std::move(mark));
        return;
    }
    const FileLock::Holder holder = mark->holder();
    const QString name = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    const bool program = holder.program == QLatin1String("Fortavo");
    if (!force) {
        if (program)
            throw IoError(QStringLiteral("Cannot write \"%1\": Fortavo has it open (%2). Close it in Fortavo first, or "
                                         "give --force to write it anyway. Nothing was changed.")
                              .arg(name, holder.text()));
        throw IoError(QStringLiteral("Cannot write \"%1\": it is in use by %2. Try again when it has finished, or give "
                                     "--force to write it anyway. Nothing was changed.")
                          .arg(name, holder.text()));
    }
    err << QStringLiteral("Warning: writing \"%1\" although %2 has it open (%3), as --force asks.")
               .arg(name, program ? QStringLiteral("Fortavo") : QStringLiteral("another program"), holder.text())
        << Qt::endl;
}

QStringList CliContext::withoutForce(const QStringList &args)
{
    QStringList rest = args;
    if (rest.removeAll(QStringLiteral("--force")) > 0)
        force = true;
    return rest;
}
