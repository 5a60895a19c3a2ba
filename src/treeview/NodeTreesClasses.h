#pragma once
// Growable text buffers for building long exports piece by piece, and the
// critical section that serialises the cutting of image strips.

#include <QByteArray>
#include <QString>
#include <memory>
#include <mutex>

#include "platform/Types.h"

// A buffer of UTF-16 code units (TBufferedString) or bytes
// (TBufferedRawByteString) that grows in steps of 4096 elements.
template <class Element, class Text>
class TBufferedText {
public:
    // Appends S; the block grows by S's length rounded up to 4096 when the
    // free room is not larger than S.
    void Add(const Text& S)
    {
        const std::size_t n = std::size_t(S.size());
        if (n == 0)
            return;
        if (Free() <= n)
            Grow((n + 4095) / 4096 * 4096);
        const auto* from = reinterpret_cast<const Element*>(S.constData());
        std::copy(from, from + n, FBlock.get() + FPosition);
        FPosition += n;
    }
    // Appends CR and LF.
    void AddNewLine()
    {
        if (Free() <= NewLineReserve)
            Grow(4096);
        FBlock[FPosition++] = Element(13);
        FBlock[FPosition++] = Element(10);
    }
    Text AsString() const { return Text(reinterpret_cast<const typename Text::value_type*>(FBlock.get()), qsizetype(FPosition)); }
    // Elements in use and elements the block holds.
    std::size_t Length() const { return FPosition; }
    std::size_t Capacity() const { return FEnd; }

protected:
    static constexpr std::size_t NewLineReserve = sizeof(Element) == 1 ? 2 : 4;

private:
    std::size_t Free() const { return FEnd - FPosition; }
    void Grow(std::size_t by)
    {
        std::unique_ptr<Element[]> block(new Element[FEnd + by]);
        if (FBlock)
            std::copy(FBlock.get(), FBlock.get() + FPosition, block.get());
        FBlock = std::move(block);
        FEnd += by;
    }
    std::unique_ptr<Element[]> FBlock;
    std::size_t FPosition = 0;
    std::size_t FEnd = 0;
};

using TBufferedString = TBufferedText<char16_t, QString>;
using TBufferedRawByteString = TBufferedText<char, QByteArray>;

// (Named apart from the serial component's critical section: both end up in one program.)
class TTreeCriticalSection {
public:
    void Enter() { FMutex.lock(); }
    void Leave() { FMutex.unlock(); }

private:
    std::mutex FMutex;
};
