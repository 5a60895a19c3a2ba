#pragma once
// Storage for the rows of a string grid's texts. A long grid holds one small
// array of texts per row; taking each from the heap costs more than filling
// it, so the grid keeps blocks of its own and hands the arrays out of them.
// An array given back is kept for the next row of the same length; the
// blocks go with the grid.

#include <array>
#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

#include <QString>

class TCellTextPool {
public:
    TCellTextPool() = default;
    TCellTextPool(const TCellTextPool&) = delete;
    TCellTextPool& operator=(const TCellTextPool&) = delete;

    QString* Allocate(std::size_t n)
    {
        if (n > kLongest)
            return static_cast<QString*>(::operator new(n * sizeof(QString)));
        if (TFree* f = FFree[n]) {
            FFree[n] = f->Next;
            return reinterpret_cast<QString*>(f);
        }
        const std::size_t bytes = n * sizeof(QString);
        if (std::size_t(FEnd - FNext) < bytes)
            NewBlock();
        QString* p = reinterpret_cast<QString*>(FNext);
        FNext += bytes;
        return p;
    }

    void Release(QString* p, std::size_t n)
    {
        if (n > kLongest) {
            ::operator delete(p);
            return;
        }
        TFree* f = reinterpret_cast<TFree*>(p);
        f->Next = FFree[n];
        FFree[n] = f;
    }

private:
    struct TFree {
        TFree* Next;
    };
    // Rows longer than this come from the heap.
    static constexpr std::size_t kLongest = 64;
    static constexpr std::size_t kBlockBytes = 256 * 1024;

    void NewBlock()
    {
        FBlocks.push_back(std::make_unique_for_overwrite<std::byte[]>(kBlockBytes));
        FNext = FBlocks.back().get();
        FEnd = FNext + kBlockBytes;
    }

    std::vector<std::unique_ptr<std::byte[]>> FBlocks;
    std::byte* FNext = nullptr;
    std::byte* FEnd = nullptr;
    std::array<TFree*, kLongest + 1> FFree{};
};

// The allocator of a row's texts: the grid's pool, or the heap while a row
// has none. It travels with the row when rows move.
struct TCellTextAllocator {
    using value_type = QString;
    using propagate_on_container_copy_assignment = std::true_type;
    using propagate_on_container_move_assignment = std::true_type;
    using propagate_on_container_swap = std::true_type;
    template <class U>
    struct rebind {
        static_assert(std::is_same_v<U, QString>, "texts only");
        using other = TCellTextAllocator;
    };

    TCellTextPool* Pool = nullptr;

    TCellTextAllocator() = default;
    explicit TCellTextAllocator(TCellTextPool* pool) : Pool(pool) {}

    QString* allocate(std::size_t n)
    {
        return Pool ? Pool->Allocate(n) : static_cast<QString*>(::operator new(n * sizeof(QString)));
    }
    void deallocate(QString* p, std::size_t n)
    {
        if (Pool)
            Pool->Release(p, n);
        else
            ::operator delete(p);
    }
    bool operator==(const TCellTextAllocator& o) const { return Pool == o.Pool; }
};

using TCellTexts = std::vector<QString, TCellTextAllocator>;
