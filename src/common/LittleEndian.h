#pragma once

#include <QtEndian>

#include <cstring>
#include <cstdint>

// Field access at fixed offsets of little-endian binary records.
namespace LittleEndian {
inline quint8 readU8(const char *p) { return quint8(p[0]); }
inline quint16 readU16(const char *p) { return qFromLittleEndian<quint16>(p); }
inline quint32 readU32(const char *p) { return qFromLittleEndian<quint32>(p); }
inline qint32 readI32(const char *p) { return qFromLittleEndian<qint32>(p); }
inline float readSingle(const char *p)
{
    const quint32 bits = readU32(p);
    float v;
    std::memcpy(&v, &bits, 4);
    return v;
}
inline double readDouble(const char *p)
{
    const quint64 bits = qFromLittleEndian<quint64>(p);
    double v;
    std::memcpy(&v, &bits, 8);
    return v;
}

inline void writeU8(char *p, quint8 v) { p[0] = char(v); }
inline void writeU16(char *p, quint16 v) { qToLittleEndian<quint16>(v, p); }
inline void writeU32(char *p, quint32 v) { qToLittleEndian<quint32>(v, p); }
inline void writeI32(char *p, qint32 v) { qToLittleEndian<qint32>(v, p); }
inline void writeSingle(char *p, float v)
{
    quint32 bits;
    std::memcpy(&bits, &v, 4);
    writeU32(p, bits);
}
inline void writeDouble(char *p, double v)
{
    quint64 bits;
    std::memcpy(&bits, &v, 8);
    qToLittleEndian<quint64>(bits, p);
}
}
