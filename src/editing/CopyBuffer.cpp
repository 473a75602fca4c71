#include "editing/CopyBuffer.h"

#include "common/UserPrompts.h"

void CopyBuffer::copy(const WorkoutRecord &record)
{
    m_record = record;
    m_full = true;
}

std::optional<WorkoutRecord> CopyBuffer::paste(UserPrompts &prompts) const
{
    if (!m_full) {
        prompts.error(QStringLiteral("Clipboard is empty."));
        return std::nullopt;
    }
    return m_record;
}
