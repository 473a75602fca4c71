#pragma once

#include "common/FileIdentity.h"
#include "common/FileLock.h"

#include <QString>

#include <functional>
#include <memory>

// What the program knows of one of its open data files while other writers may touch
// it: its own in-use mark (or who holds the file instead) and the identity the file had
// when this program last opened or wrote it.
class FileClaim {
public:
    // Marks path as in use by this program. False when another holder has it; that
    // holder is remembered and every change should then be refused.
    bool claim(const QString &path);
    // Forgets the mark, the holder and the identity.
    void reset();
    bool heldElsewhere() const { return m_heldElsewhere; }
    FileLock::Holder heldBy() const { return m_heldBy; }

    // Remembers the file open on the descriptor as this program leaves it.
    void remember(int descriptor) { m_identity = FileIdentity::ofDescriptor(descriptor); }
    // Whether path no longer names the remembered file, or the file changed since.
    bool changedOutside(const QString &path) const;
    // Calls the outside-change handler, then raises FileChangedError with message.
    [[noreturn]] void reportChange(const QString &message) const;
    void setOutsideChangeHandler(std::function<void()> handler) { m_onOutsideChange = std::move(handler); }

private:
    FileIdentity m_identity;
    std::unique_ptr<FileLock::Mark> m_mark;
    FileLock::Holder m_heldBy;
    bool m_heldElsewhere = false;
    std::function<void()> m_onOutsideChange;
};
