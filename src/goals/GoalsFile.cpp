#include "goals/GoalsFile.h"

#include "common/Errors.h"
#include "common/LittleEndian.h"
#include "common/ProgramFolder.h"
#include "common/RecordWrite.h"
#include "common/WholeFile.h"
#include "store/WorkoutRecord.h"

#include <QDir>

using namespace LittleEndian;

QByteArray GoalRecord::encode() const
{
    QByteArray bytes(Size, '\0');
    char *p = bytes.data();
    writeDouble(p + GoalLayout::StartDate, StartDate);
    writeDouble(p + GoalLayout::Deadline, Deadline);
    writeStoredString(p + GoalLayout::Name, Name, NameCapacity);
    writeStoredString(p + GoalLayout::Description, Description, DescriptionCapacity);
    writeU8(p + GoalLayout::Status, Status);
    return bytes;
}

GoalRecord GoalRecord::decode(const char *bytes)
{
    GoalRecord g;
    g.StartDate = readDouble(bytes + GoalLayout::StartDate);
    g.Deadline = readDouble(bytes + GoalLayout::Deadline);
    g.Name = readStoredString(bytes + GoalLayout::Name, NameCapacity);
    g.Description = readStoredString(bytes + GoalLayout::Description, DescriptionCapacity);
    g.Status = readU8(bytes + GoalLayout::Status);
    return g;
}

GoalsFile::~GoalsFile()
{
    close();
}

QString GoalsFile::resolveName(const QString &configured)
{
    const QString resolved = ProgramFolder::resolve(configured.trimmed().isEmpty() ? DefaultName : configured);
    if (QDir::cleanPath(resolved) == QDir::cleanPath(ProgramFolder::path()))
        return ProgramFolder::resolve(DefaultName);
    return resolved;
}

void GoalsFile::open(const QString &path)
{
    close();
    openFile(path);
}

void GoalsFile::openFile(const QString &path)
{
    if (m_file.isOpen())
        m_file.close();
    m_file.setFileName(path);
    WholeFile::refuseNonRegular(path, QStringLiteral("goals file"));
    // Unbuffered: reads see the record writes, which go to the file directly.
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        fail(QStringLiteral("Cannot open goals file"));
    m_claim.remember(m_file.handle());
}

void GoalsFile::openReadOnly(const QString &path)
{
    close();
    m_file.setFileName(path);
    WholeFile::refuseNonRegular(path, QStringLiteral("goals file"));
    if (!m_file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("Cannot open goals file"));
    m_claim.remember(m_file.handle());
}

void GoalsFile::close()
{
    if (m_file.isOpen())
        m_file.close();
    m_claim.reset();
}

bool GoalsFile::claimInUse()
{
    requireOpen();
    return m_claim.claim(m_file.fileName());
}

void GoalsFile::requireWritable() const
{
    requireOpen();
    if (m_claim.heldElsewhere())
        throw IoError(QStringLiteral("Cannot save to \"%1\": it is open in another copy of Fortavo (%2). Nothing was "
                                     "changed.")
                          .arg(QDir::toNativeSeparators(m_file.fileName()), m_claim.heldBy().text()));
}

bool GoalsFile::changedOutside() const
{
    return m_file.isOpen() && m_claim.changedOutside(m_file.fileName());
}

void GoalsFile::checkUnchanged()
{
    if (changedOutside())
        m_claim.reportChange(QStringLiteral("The goals file was changed outside Fortavo."));
}

int GoalsFile::reopenAfterOutsideChange(int position)
{
    requireOpen();
    const QByteArray old = position >= 0 && position < RecordCount() ? readRaw(position) : QByteArray();
    openFile(m_file.fileName());
    if (!old.isEmpty() && position < RecordCount() && readRaw(position) == old)
        return position;
    return RecordCount();
}

void GoalsFile::requireOpen() const
{
    if (!m_file.isOpen())
        throw IoError(QStringLiteral("No goals file is open."));
}

void GoalsFile::requireRecord(int n) const
{
    if (n < 0 || n >= RecordCount())
        throw IoError(QStringLiteral("Read beyond end of file \"%1\"").arg(QDir::toNativeSeparators(m_file.fileName())));
}

void GoalsFile::fail(const QString &what) const
{
    throw IoError(QStringLiteral("%1 \"%2\": %3").arg(what, QDir::toNativeSeparators(m_file.fileName()), m_file.errorString()));
}

int GoalsFile::RecordCount() const
{
    requireOpen();
    return int(m_file.size() / GoalRecord::Size);
}

int GoalsFile::partialTailSize() const
{
    requireOpen();
    return int(m_file.size() % GoalRecord::Size);
}

QByteArray GoalsFile::readSpan(qint64 offset, qint64 length)
{
    if (length == 0)
        return QByteArray();
    if (!m_file.seek(offset))
        fail(QStringLiteral("Cannot read"));
    QByteArray data = m_file.read(length);
    if (data.size() != length)
        fail(QStringLiteral("Cannot read"));
    return data;
}

QByteArray GoalsFile::readRaw(int n)
{
    requireRecord(n);
    return readSpan(qint64(n) * GoalRecord::Size, GoalRecord::Size);
}

GoalRecord GoalsFile::ReadRecord(int n)
{
    return GoalRecord::decode(readRaw(n).constData());
}

QByteArray GoalsFile::readAllRaw()
{
    return readSpan(0, qint64(RecordCount()) * GoalRecord::Size);
}

void GoalsFile::writeRaw(int n, const QByteArray &bytes)
{
    requireWritable();
    const FileLock::WriteLock lock(m_file.fileName());
    checkUnchanged();
    RecordWrite::writeAt(m_file, qint64(n) * GoalRecord::Size, bytes, m_file.fileName());
    m_claim.remember(m_file.handle());
}

void GoalsFile::WriteRecord(int n, const GoalRecord &record)
{
    const int count = RecordCount();
    if (n < 0 || n > count)
        throw IoError(QStringLiteral("Write beyond end of file \"%1\"").arg(QDir::toNativeSeparators(m_file.fileName())));
    const QByteArray bytes = record.encode();
    const int tail = partialTailSize();
    if (n < count || tail == 0) {
        writeRaw(n, bytes);
        return;
    }
    const qint64 whole = qint64(count) * GoalRecord::Size;
    rewrite(readSpan(0, whole) + bytes + readSpan(whole, tail));
}

void GoalsFile::setStatus(int n, quint8 status)
{
    QByteArray bytes = readRaw(n);
    writeU8(bytes.data() + GoalLayout::Status, status);
    writeRaw(n, bytes);
}

void GoalsFile::RemoveRecord(int n)
{
    requireRecord(n);
    const QByteArray content = readSpan(0, m_file.size());
    const qint64 at = qint64(n) * GoalRecord::Size;
    rewrite(content.left(at) + content.mid(at + GoalRecord::Size));
}

void GoalsFile::rewrite(const QByteArray &content)
{
    requireWritable();
    const QString path = m_file.fileName();
    const FileLock::WriteLock lock(path);
    checkUnchanged();
    WholeFile::write(path, content, m_wrapper);
    // The old handle still refers to the replaced file.
    openFile(path);
}
