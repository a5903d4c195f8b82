#pragma once
// Handles that stay safe after their object is gone: a handle is a slot index
// plus the slot's generation, so a stale handle never reaches a reused slot.
// `Holder` is how a slot keeps its object: a plain pointer (the object lives
// elsewhere) or a std::unique_ptr (the table owns it).

#include <cstdint>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

namespace platform {

template <class T, class Holder = T*>
class HandleTable {
public:
    // Returns a non-zero handle value for `object`, 0 when the table is full
    // (the object is then dropped).
    std::uintptr_t Add(Holder object)
    {
        std::size_t index;
        if (m_free.empty() && m_slots.size() >= kIndexMask)
            return 0;  // table full
        if (!m_free.empty()) {
            index = m_free.back();
            m_free.pop_back();
        } else {
            index = m_slots.size();
            m_slots.push_back(Slot{});
        }
        Slot& slot = m_slots[index];
        slot.object = std::move(object);
        return Encode(index, slot.generation);
    }

    T* Get(std::uintptr_t handle) const
    {
        const Slot* slot = Find(handle);
        return slot ? Raw(slot->object) : nullptr;
    }

    // Forgets the object and hands it back; the handle and every copy of it
    // become stale.
    Holder Remove(std::uintptr_t handle)
    {
        Slot* slot = const_cast<Slot*>(Find(handle));
        if (!slot)
            return Holder{};
        Holder object = std::move(slot->object);
        slot->object = Holder{};
        slot->generation = (slot->generation + 1) & kGenerationMask;
        if (slot->generation == 0)
            slot->generation = 1;
        m_free.push_back(static_cast<std::size_t>(slot - m_slots.data()));
        return object;
    }

    template <class F>
    void ForEach(F&& f) const
    {
        for (const Slot& slot : m_slots)
            if (slot.object)
                f(Raw(slot.object));
    }

private:
    static constexpr unsigned kIndexBits = 16;  // values fit in 31 bits
    static constexpr std::uintptr_t kIndexMask = (std::uintptr_t(1) << kIndexBits) - 1;
    static constexpr std::uint32_t kGenerationMask = 0x7FFF;  // keeps values positive as 32-bit numbers

    struct Slot {
        Holder object{};
        std::uint32_t generation = 1;
    };

    static T* Raw(const Holder& object)
    {
        if constexpr (std::is_pointer_v<Holder>)
            return object;
        else
            return object.get();
    }

    static std::uintptr_t Encode(std::size_t index, std::uint32_t generation)
    {
        return (std::uintptr_t(generation) << kIndexBits) | (std::uintptr_t(index) + 1);
    }

    const Slot* Find(std::uintptr_t handle) const
    {
        std::uintptr_t index = (handle & kIndexMask);
        if (index == 0 || index > m_slots.size())
            return nullptr;
        const Slot& slot = m_slots[index - 1];
        if (!slot.object || (handle >> kIndexBits) != slot.generation)
            return nullptr;
        return &slot;
    }

    std::vector<Slot> m_slots;
    std::vector<std::size_t> m_free;
};

}  // namespace platform
