#pragma once
// A fixed-capacity table of owning slots. A slot is empty or owns one record; the array deletes a
// record when its slot is cleared, overwritten or the array goes away. Copies are deep.

#include <memory>
#include <utility>
#include <vector>

template <class T> class cPtrArray {
  public:
    cPtrArray() = default;
    cPtrArray(const cPtrArray& other) { *this = other; }
    cPtrArray(cPtrArray&&) noexcept = default;
    cPtrArray& operator=(cPtrArray&&) noexcept = default;
    cPtrArray& operator=(const cPtrArray& other) {
        if (this == &other) return *this;
        std::vector<std::unique_ptr<T>> copy(other.slots_.size());
        for (size_t i = 0; i < copy.size(); ++i)
            if (other.slots_[i]) copy[i] = std::make_unique<T>(*other.slots_[i]);
        slots_ = std::move(copy);
        occupied_ = other.occupied_;
        return *this;
    }

    // Capacity (number of slots).
    int capacity() const { return static_cast<int>(slots_.size()); }
    // Number of occupied slots.
    int occupied() const { return occupied_; }
    // Index of the highest occupied slot + 1; 0 when every slot is empty.
    int count() const {
        for (int i = capacity(); i > 0; --i)
            if (slots_[i - 1]) return i;
        return 0;
    }
    bool inRange(int i) const { return i >= 0 && i < capacity(); }

    // The record in slot i, or null when empty or out of range.
    const T* get(int i) const { return inRange(i) ? slots_[i].get() : nullptr; }
    T* get(int i) { return inRange(i) ? slots_[i].get() : nullptr; }
    const T* operator[](int i) const { return get(i); }
    T* operator[](int i) { return get(i); }

    // The record in slot i, created with T's defaults when the slot is empty; null when out of range.
    T* getOrCreate(int i) {
        if (!inRange(i)) return nullptr;
        if (!slots_[i]) {
            slots_[i] = std::make_unique<T>();
            ++occupied_;
        }
        return slots_[i].get();
    }

    // Drops every record and makes n empty slots; fails for n < 1.
    bool allocate(int n) {
        if (n < 1) return false;
        slots_.clear();
        slots_.resize(n);
        occupied_ = 0;
        return true;
    }
    // Changes the capacity, keeping the records below the new size.
    void resize(int n) {
        if (n < 0) n = 0;
        for (int i = n; i < capacity(); ++i)
            reset(i);
        slots_.resize(n);
    }

    // Empties every slot.
    void clearAll() {
        for (auto& s : slots_)
            s.reset();
        occupied_ = 0;
    }
    // Stores a record (or empties the slot when r is null). Out-of-range indices drop r.
    void set(int i, std::unique_ptr<T> r) {
        if (!inRange(i)) return;
        occupied_ += (r != nullptr) - (slots_[i] != nullptr);
        slots_[i] = std::move(r);
    }
    // Stores a copy of a record.
    void setCopy(int i, const T& r) { set(i, std::make_unique<T>(r)); }
    // Empties slot i.
    void reset(int i) { set(i, nullptr); }
    // Takes the record out of slot i, leaving the slot empty.
    std::unique_ptr<T> take(int i) {
        if (!inRange(i)) return nullptr;
        if (slots_[i]) --occupied_;
        return std::move(slots_[i]);
    }
    // Swaps two slots, empty or not.
    void swap(int a, int b) {
        if (inRange(a) && inRange(b)) std::swap(slots_[a], slots_[b]);
    }
    // Opens an empty slot at i: slots i..end-2 move up by one and the slot at end-1 falls off.
    // end defaults to the capacity.
    void insertAt(int i, int end = -1) {
        if (end < 0 || end > capacity()) end = capacity();
        if (i < 0 || i >= end) return;
        reset(end - 1);
        for (int k = end - 1; k > i; --k)
            std::swap(slots_[k], slots_[k - 1]);
    }
    // Closes slot i: its record is deleted, slots i+1..end-1 move down by one, slot end-1 empties.
    void removeAt(int i, int end = -1) {
        if (end < 0 || end > capacity()) end = capacity();
        if (i < 0 || i >= end) return;
        reset(i);
        for (int k = i; k + 1 < end; ++k)
            std::swap(slots_[k], slots_[k + 1]);
    }

  private:
    std::vector<std::unique_ptr<T>> slots_;
    int occupied_ = 0;
};
