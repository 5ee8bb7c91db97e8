#pragma once

#include <array>
#include <atomic>
#include <cstddef>

/**
    Parameter changes on their way from the threads that make them (host automation, the editor,
    state restores, possibly several at once) to the audio thread, in the order they arrived.

    A bounded queue without locks: each slot carries a sequence number that tells producers and
    the consumer whose turn the slot is (the classic bounded multi-producer queue). push() never
    blocks, not even when the queue is full, in which case it reports failure; pop() is for the
    one consumer, and stops at the first slot that is not yet written, so later changes wait for
    the next call and the order is kept. Neither allocates.
*/
class ParameterChangeQueue
{
public:
    struct Change
    {
        int index = 0;      // the parameter's position in host order
        float value = 0.0f; // its new raw value
    };

    static constexpr size_t capacity = 4096;

    ParameterChangeQueue() noexcept
    {
        for (size_t i = 0; i < capacity; ++i)
            slots[i].sequence.store (i, std::memory_order_relaxed);
    }

    /** Appends a change; false when the queue is full (the change is not queued). */
    bool push (Change change) noexcept
    {
        auto position = enqueuePosition.load (std::memory_order_relaxed);

        for (;;)
        {
            auto& slot = slots[position & mask];
            const auto sequence = slot.sequence.load (std::memory_order_acquire);
            const auto lead = (std::ptrdiff_t) (sequence - position);

            if (lead == 0)
            {
                if (enqueuePosition.compare_exchange_weak (position, position + 1, std::memory_order_relaxed))
                {
                    slot.change = change;
                    slot.sequence.store (position + 1, std::memory_order_release);
                    return true;
                }
            }
            else if (lead < 0)
            {
                return false;
            }
            else
            {
                position = enqueuePosition.load (std::memory_order_relaxed);
            }
        }
    }

    /** Takes the oldest change; false when there is none ready. One consumer at a time. */
    bool pop (Change& change) noexcept
    {
        const auto position = dequeuePosition.load (std::memory_order_relaxed);
        auto& slot = slots[position & mask];

        if (slot.sequence.load (std::memory_order_acquire) != position + 1)
            return false;

        change = slot.change;
        slot.sequence.store (position + capacity, std::memory_order_release);
        dequeuePosition.store (position + 1, std::memory_order_relaxed);
        return true;
    }

private:
    static constexpr size_t mask = capacity - 1;
    static_assert ((capacity & mask) == 0, "the capacity must be a power of two");

    struct Slot
    {
        std::atomic<size_t> sequence { 0 };
        Change change;
    };

    std::array<Slot, capacity> slots;
    alignas (64) std::atomic<size_t> enqueuePosition { 0 };
    alignas (64) std::atomic<size_t> dequeuePosition { 0 };
};
