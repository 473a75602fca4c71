#include "common/WholeFile.h"

#include "common/Errors.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {
[[noreturn]] void cannotWrite(const QString &path, const QString &reason)
{
    throw IoError(QStringLiteral("Cannot write \"%1\": %2").arg(QDir::toNativeSeparators(path), reason));
}
}

QByteArray WholeFile::read(const QString &path, const QString &what)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw IoError(QStringLiteral("Cannot open %1 \"%2\". %3").arg(what, path, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw IoError(QStringLiteral("Cannot read %1 \"%2\". %3").arg(what, path, file.errorString()));
    return bytes;
}

void WholeFile::writeTo(QIODevice &out, const QByteArray &bytes, const QString &path)
{
    if (out.write(bytes) != bytes.size())
        cannotWrite(path, out.errorString());
}

void WholeFile::write(const QString &path, const std::function<void(QIODevice &out)> &writeContent,
                      const TargetWrapper &wrapper)
{
    QSaveFile target(path);
    if (!target.open(QIODevice::WriteOnly))
        cannotWrite(path, target.errorString());
    if (wrapper) {
        const std::unique_ptr<QIODevice> wrapped = wrapper(target);
        writeContent(*wrapped);
    } else {
        writeContent(target);
    }
    if (!target.commit())
        cannotWrite(path, target.errorString());
}

void WholeFile::write(const QString &path, const QByteArray &content, const TargetWrapper &wrapper)
{
    write(path, [&](QIODevice &out) { writeTo(out, content, path); }, wrapper);
}
