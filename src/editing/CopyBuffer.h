#pragma once

#include "store/WorkoutRecord.h"

#include <optional>

class UserPrompts;

// The copy buffer: the workout copied last, held in memory only, so that it can be
// pasted into any form, also after another training file was opened.
class CopyBuffer {
public:
    // CopyBufferFull: false until the first copy; nothing empties the buffer again.
    bool isFull() const { return m_full; }
    // The end of CopyWorkout: the form read back becomes the buffer.
    void copy(const WorkoutRecord &record);
    // The workout PasteWorkout puts into the form; when nothing was copied, the error
    // box "Clipboard is empty." and nothing.
    std::optional<WorkoutRecord> paste(UserPrompts &prompts) const;

private:
    WorkoutRecord m_record;
    bool m_full = false;
};
