// The audio layer's handles: a slot index and a generation packed into the pointer the game holds, so that a
// stale handle is recognised instead of reaching whatever now occupies its slot.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// Generations come from one counter for the whole run, so no two handles ever look alike.
inline uint32_t FmodNextGeneration()
{
    static uint32_t next = 1;
    return next++;
}

template <typename Handle> Handle* EncodeHandle(size_t index, uint32_t generation)
{
    uintptr_t value = (static_cast<uintptr_t>(generation) << 32) | static_cast<uintptr_t>(index + 1);
    return reinterpret_cast<Handle*>(value);
}

template <typename Handle> bool DecodeHandle(Handle* handle, size_t& index, uint32_t& generation)
{
    uintptr_t value = reinterpret_cast<uintptr_t>(handle);
    if (value == 0 || (value & 0xFFFFFFFFu) == 0) {
        return false;
    }
    index = static_cast<size_t>(value & 0xFFFFFFFFu) - 1;
    generation = static_cast<uint32_t>(value >> 32);
    return true;
}

// Objects behind handles; a removed object's slot is reused, under a new generation.
template <typename T, typename Handle> struct SlotTable {
    struct Slot {
        std::unique_ptr<T> item;
        uint32_t generation = 0;
    };
    std::vector<Slot> slots;

    Handle* Add(std::unique_ptr<T> item)
    {
        size_t index = 0;
        while (index < slots.size() && slots[index].item) {
            ++index;
        }
        if (index == slots.size()) {
            slots.emplace_back();
        }
        slots[index].item = std::move(item);
        slots[index].generation = FmodNextGeneration();
        return EncodeHandle<Handle>(index, slots[index].generation);
    }
    T* Find(Handle* handle, size_t* indexOut = nullptr)
    {
        size_t index;
        uint32_t generation;
        if (!DecodeHandle(handle, index, generation) || index >= slots.size() || !slots[index].item ||
            slots[index].generation != generation) {
            return nullptr;
        }
        if (indexOut) {
            *indexOut = index;
        }
        return slots[index].item.get();
    }
    void Remove(size_t index) { slots[index].item.reset(); }
};
