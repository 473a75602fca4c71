#include "common/FileClaim.h"

#include "common/Errors.h"

bool FileClaim::claim(const QString &path)
{
    m_mark = std::make_unique<FileLock::Mark>(path, QStringLiteral("Fortavo"));
    if (m_mark->claim())
        return true;
    m_heldBy = m_mark->holder();
    m_heldElsewhere = true;
    m_mark.reset();
    return false;
}

void FileClaim::reset()
{
    m_identity = {};
    m_mark.reset();
    m_heldBy = {};
    m_heldElsewhere = false;
}

bool FileClaim::changedOutside(const QString &path) const
{
    return !(FileIdentity::ofPath(path) == m_identity);
}

void FileClaim::reportChange(const QString &message) const
{
    if (m_onOutsideChange)
        m_onOutsideChange();
    throw FileChangedError(message);
}
