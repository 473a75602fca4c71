#include "exercises/ExerciseFile.h"

#include "common/Errors.h"
#include "common/ProgramFolder.h"
#include "common/WholeFile.h"
#include "store/WorkoutRecord.h"

#include <QDir>

QByteArray CatalogExercise::encode() const
{
    QByteArray bytes(Size, '\0');
    char *p = bytes.data();
    writeStoredString(p + ExerciseLayout::Name, Name, NameCapacity);
    writeStoredString(p + ExerciseLayout::Bodypart, Bodypart, BodypartCapacity);
    writeStoredString(p + ExerciseLayout::Description, Description, DescriptionCapacity);
    return bytes;
}

CatalogExercise CatalogExercise::decode(const char *bytes)
{
    CatalogExercise e;
    e.Name = readStoredString(bytes + ExerciseLayout::Name, NameCapacity);
    e.Bodypart = readStoredString(bytes + ExerciseLayout::Bodypart, BodypartCapacity);
    e.Description = readStoredString(bytes + ExerciseLayout::Description, DescriptionCapacity);
    return e;
}

ExerciseFile::~ExerciseFile()
{
    close();
}

QString ExerciseFile::resolveName(const QString &configured)
{
    const QString name = configured.trimmed().isEmpty() ? DefaultName : configured;
    return ProgramFolder::resolve(name);
}

void ExerciseFile::open(const QString &path)
{
    close();
    openFile(path);
}

void ExerciseFile::openFile(const QString &path)
{
    if (m_file.isOpen())
        m_file.close();
    m_file.setFileName(path);
    WholeFile::refuseNonRegular(path);
    if (!m_file.open(QIODevice::ReadWrite))
        fail(QStringLiteral("Cannot open file"), m_file.errorString());
    m_claim.remember(m_file.handle());
}

void ExerciseFile::close()
{
    if (m_file.isOpen())
        m_file.close();
    m_claim.reset();
}

bool ExerciseFile::claimInUse()
{
    requireOpen();
    return m_claim.claim(m_file.fileName());
}

bool ExerciseFile::changedOutside() const
{
    return m_file.isOpen() && m_claim.changedOutside(m_file.fileName());
}

void ExerciseFile::checkUnchanged()
{
    if (changedOutside())
        m_claim.reportChange(QStringLiteral("The exercise list was changed outside Fortavo."));
}

void ExerciseFile::reopen()
{
    requireOpen();
    openFile(m_file.fileName());
}

void ExerciseFile::requireOpen() const
{
    if (!m_file.isOpen())
        throw IoError(QStringLiteral("No exercise file is open."));
}

void ExerciseFile::fail(const QString &what, const QString &reason) const
{
    throw IoError(QStringLiteral("%1 \"%2\": %3").arg(what, QDir::toNativeSeparators(m_file.fileName()), reason));
}

int ExerciseFile::count() const
{
    requireOpen();
    return int(m_file.size() / CatalogExercise::Size);
}

QList<CatalogExercise> ExerciseFile::readAll()
{
    const int n = count();
    QList<CatalogExercise> exercises;
    exercises.reserve(n);
    if (n == 0)
        return exercises;
    if (!m_file.seek(0))
        fail(QStringLiteral("Cannot read"), m_file.errorString());
    const QByteArray data = m_file.read(qint64(n) * CatalogExercise::Size);
    if (data.size() != qint64(n) * CatalogExercise::Size)
        fail(QStringLiteral("Cannot read"), m_file.errorString());
    for (int i = 0; i < n; ++i)
        exercises.append(CatalogExercise::decode(data.constData() + qint64(i) * CatalogExercise::Size));
    return exercises;
}

void ExerciseFile::save(const QList<CatalogExercise> &exercises)
{
    requireOpen();
    const QString path = m_file.fileName();
    QByteArray content;
    content.reserve(exercises.size() * CatalogExercise::Size);
    for (const CatalogExercise &e : exercises)
        content += e.encode();

    if (m_claim.heldElsewhere())
        fail(QStringLiteral("Cannot save to"),
             QStringLiteral("it is open in another copy of Fortavo (%1). Nothing was changed.").arg(m_claim.heldBy().text()));
    const FileLock::WriteLock lock(path);
    checkUnchanged();
    WholeFile::write(path, content, m_wrapper);
    // The old handle still refers to the replaced file.
    openFile(path);
}
