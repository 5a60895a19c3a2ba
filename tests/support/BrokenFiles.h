#pragma once
// The three damaged forms every reader is tried with: the empty file, the
// intact file cut short, and bytes that are no file at all (the same bytes on
// every run).

#include <QByteArray>

#include <vector>

struct TBrokenFile {
    const char* Name;
    QByteArray Bytes;
};

inline QByteArray RandomBytes(int Size, quint32 Seed = 19)
{
    QByteArray bytes(Size, 0);
    for (char& c : bytes) {
        Seed = Seed * 1103515245u + 12345u;
        c = char(Seed >> 16);
    }
    return bytes;
}

// Intact cut at half its length (and at least one byte short).
inline std::vector<TBrokenFile> BrokenFiles(const QByteArray& Intact)
{
    return {{"empty", QByteArray()},
            {"truncated", Intact.left(std::min<qsizetype>(Intact.size() / 2, Intact.size() - 1))},
            {"random bytes", RandomBytes(4096)}};
}
