#pragma once
// The cells of a string grid: a text and an object per cell, kept in one
// block of rows, each row Stride() cells long. Rows are reached through a
// row map (logical row to stored row), so that moving or reordering rows
// moves indices, never texts. The table only grows: cells past the grid's
// counts keep what they hold. Objects take room only once a cell has held
// one.
//
// A long grid is filled once and then read: its block is taken zero-filled
// (a null text is all zero bits, checked once at run time) and texts move
// to a larger block by their bytes, as Qt moves its own relocatable types,
// so that growing costs no work per cell.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <numeric>
#include <vector>

#include <QString>

class TObject;

static_assert(QTypeInfo<QString>::isRelocatable, "texts move to a new block by their bytes");

class TGridCellTable {
public:
    TGridCellTable() = default;
    TGridCellTable(const TGridCellTable&) = delete;
    TGridCellTable& operator=(const TGridCellTable&) = delete;
    ~TGridCellTable()
    {
        std::destroy_n(FTexts, FCapacity);
        std::free(FTexts);
    }

    std::size_t Stride() const { return FStride; }
    std::size_t RowsHeld() const { return FRows; }
    bool HasObjects() const { return FObjectsKept; }

    // The slot of a held cell, else null. Indices are taken unsigned, so a
    // negative one lies beyond any table.
    QString* Text(std::size_t Col, std::size_t Row)
    {
        if (Col >= FStride || Row >= FRows)
            return nullptr;
        return FTexts + std::size_t(FRowMap[Row]) * FStride + Col;
    }
    const QString* Text(std::size_t Col, std::size_t Row) const { return const_cast<TGridCellTable*>(this)->Text(Col, Row); }
    // Null also while no cell has held an object.
    TObject** Object(std::size_t Col, std::size_t Row)
    {
        if (!FObjectsKept || Col >= FStride || Row >= FRows)
            return nullptr;
        return FObjects.data() + std::size_t(FRowMap[Row]) * FStride + Col;
    }
    TObject* const* Object(std::size_t Col, std::size_t Row) const { return const_cast<TGridCellTable*>(this)->Object(Col, Row); }

    // Holds at least Cols columns and Rows rows, in one step. Throws
    // std::bad_alloc, the table unchanged, when the room cannot be had.
    void Grow(std::size_t Cols, std::size_t Rows)
    {
        const std::size_t rows = std::max(FRows, Rows);
        const std::size_t stride = std::max(FStride, Cols);
        if (rows == FRows && stride == FStride)
            return;
        if (stride != 0 && rows > std::size_t(PTRDIFF_MAX) / sizeof(QString) / stride)
            throw std::bad_alloc();
        // All room is taken before any text moves: past it, nothing fails.
        FRowMap.reserve(rows);
        const std::size_t cells = rows * stride;
        if (stride == FStride) {
            if (cells > FCapacity) {
                const std::size_t capacity = std::max(cells, std::min(2 * FCapacity, std::size_t(PTRDIFF_MAX) / sizeof(QString)));
                if (FObjectsKept)
                    FObjects.resize(capacity, nullptr);
                QString* texts = NewTexts(capacity);
                Relocate(texts, FTexts, FCapacity);
                std::free(FTexts);
                FTexts = texts;
                FCapacity = capacity;
            }
        } else {
            std::vector<TObject*> objects(FObjectsKept ? cells : 0, nullptr);
            QString* texts = NewTexts(cells);
            for (std::size_t r = 0; r < FRows; ++r) {
                Relocate(texts + r * stride, FTexts + r * FStride, FStride);
                if (FObjectsKept)
                    std::copy_n(FObjects.begin() + std::ptrdiff_t(r * FStride), FStride, objects.begin() + std::ptrdiff_t(r * stride));
            }
            // What lies past the stored rows holds no text.
            std::destroy_n(FTexts + FRows * FStride, FCapacity - FRows * FStride);
            std::free(FTexts);
            FTexts = texts;
            FCapacity = cells;
            FObjects.swap(objects);
            FStride = stride;
        }
        FRowMap.resize(rows);
        std::iota(FRowMap.begin() + std::ptrdiff_t(FRows), FRowMap.end(), std::uint32_t(FRows));
        FRows = rows;
    }

    // Gives every held cell an object slot.
    void KeepObjects()
    {
        if (FObjectsKept)
            return;
        FObjects.assign(FCapacity, nullptr);
        FObjectsKept = true;
    }

    // Row From goes to To, the rows between shifting by one (both held).
    void MoveRow(std::size_t From, std::size_t To) { MoveWithin(FRowMap.begin(), From, To); }

    // Row From + i takes what row From + Order[i] held (all held).
    template <class TIndex>
    void PermuteRows(std::size_t From, const std::vector<TIndex>& Order)
    {
        std::vector<std::uint32_t> moved(Order.size());
        for (std::size_t i = 0; i < Order.size(); ++i)
            moved[i] = FRowMap[From + std::size_t(Order[i])];
        std::copy(moved.begin(), moved.end(), FRowMap.begin() + std::ptrdiff_t(From));
    }

    // Column From goes to To in every row (both below the stride).
    void MoveColumn(std::size_t From, std::size_t To)
    {
        for (std::size_t r = 0; r < FRows; ++r) {
            MoveWithin(FTexts + r * FStride, From, To);
            if (FObjectsKept)
                MoveWithin(FObjects.begin() + std::ptrdiff_t(r * FStride), From, To);
        }
    }

private:
    // Item From of the run at First goes to To, the items between shifting.
    template <class It>
    static void MoveWithin(It First, std::size_t From, std::size_t To)
    {
        const auto f = std::ptrdiff_t(From), t = std::ptrdiff_t(To);
        if (From < To)
            std::rotate(First + f, First + f + 1, First + t + 1);
        else if (From > To)
            std::rotate(First + t, First + f, First + f + 1);
    }

    static bool NullTextIsZero()
    {
        static const bool zero = [] {
            alignas(QString) unsigned char bytes[sizeof(QString)];
            std::memset(bytes, 0xA5, sizeof bytes);
            QString* text = ::new (static_cast<void*>(bytes)) QString();
            const bool allZero = std::all_of(bytes, bytes + sizeof bytes, [](unsigned char b) { return b == 0; });
            text->~QString();
            return allZero;
        }();
        return zero;
    }

    // N null texts in a block of their own.
    static QString* NewTexts(std::size_t N)
    {
        auto* texts = static_cast<QString*>(std::calloc(std::max<std::size_t>(N, 1), sizeof(QString)));
        if (texts == nullptr)
            throw std::bad_alloc();
        if (!NullTextIsZero())
            std::uninitialized_value_construct_n(texts, N);
        return texts;
    }

    // Moves N texts by their bytes over null texts at To.
    static void Relocate(QString* To, const QString* From, std::size_t N)
    {
        if (N != 0)
            std::memcpy(static_cast<void*>(To), static_cast<const void*>(From), N * sizeof(QString));
    }

    QString* FTexts = nullptr;
    std::size_t FCapacity = 0;  // texts in the block, all of them live
    std::vector<TObject*> FObjects;  // as many as FCapacity once kept
    std::vector<std::uint32_t> FRowMap;
    std::size_t FRows = 0;  // FRowMap.size()
    std::size_t FStride = 0;
    bool FObjectsKept = false;
};
