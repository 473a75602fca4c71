#pragma once

#include <QIODevice>

// Passes `allowed` bytes on to the real target, then fails like a full disk or a
// process killed in the middle of a write.
class FailingDevice : public QIODevice {
public:
    FailingDevice(QIODevice &target, qint64 allowed) : m_target(target), m_allowed(allowed)
    {
        open(QIODevice::WriteOnly);
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 length) override
    {
        const qint64 n = qMin(length, m_allowed);
        m_target.write(data, n);
        m_allowed -= n;
        if (n < length) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        return n;
    }

private:
    QIODevice &m_target;
    qint64 m_allowed;
};
