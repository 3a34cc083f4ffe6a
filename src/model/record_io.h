#pragma once
// Field-by-field file form of the document records: little-endian, no gaps,
// nested records and arrays laid out in declaration order. Each record type
// lists its fields once, in a `VisitFields(record, visit)` overload next to its
// definition; the walkers below turn that list into bytes, back into fields,
// or into the record's size.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <type_traits>

namespace velmar {

template <class R, class T>
concept RecordOf = std::same_as<std::remove_const_t<R>, T>;

template <class T> inline constexpr bool IsStdArray = false;
template <class T, std::size_t N> inline constexpr bool IsStdArray<std::array<T, N>> = true;

// Walks a value down to its scalar fields (int16_t, uint8_t, char) and hands
// each one to `leaf` in file order.
template <class Leaf> class FieldWalker {
public:
    constexpr explicit FieldWalker(Leaf& leaf) : leaf_(leaf) {}

    template <class T> constexpr void operator()(T& value) {
        using Plain = std::remove_const_t<T>;
        if constexpr (IsStdArray<Plain>) {
            for (auto& element : value)
                (*this)(element);
        } else if constexpr (std::is_arithmetic_v<Plain>) {
            leaf_(value);
        } else {
            VisitFields(value, *this);
        }
    }

private:
    Leaf& leaf_;
};

struct FileSizeCounter {
    std::size_t size = 0;
    template <class T> constexpr void operator()(const T&) { size += sizeof(T); }
};

// Number of bytes the record takes in a file.
template <class R> constexpr std::size_t RecordFileSize() {
    R record{};
    FileSizeCounter counter;
    FieldWalker walker(counter);
    walker(record);
    return counter.size;
}

class ByteWriter {
public:
    explicit ByteWriter(std::span<std::uint8_t> out) : out_(out) {}
    void operator()(const std::int16_t& v) {
        Put(static_cast<std::uint8_t>(static_cast<std::uint16_t>(v) & 0xFF));
        Put(static_cast<std::uint8_t>(static_cast<std::uint16_t>(v) >> 8));
    }
    void operator()(const std::uint8_t& v) { Put(v); }
    void operator()(const char& v) { Put(static_cast<std::uint8_t>(v)); }

private:
    void Put(std::uint8_t b) {
        if (pos_ >= out_.size())
            throw std::out_of_range("record larger than its file form");
        out_[pos_++] = b;
    }
    std::span<std::uint8_t> out_;
    std::size_t pos_ = 0;
};

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> in) : in_(in) {}
    void operator()(std::int16_t& v) {
        const std::uint16_t low = Get();
        v = static_cast<std::int16_t>(low | static_cast<std::uint16_t>(Get() << 8));
    }
    void operator()(std::uint8_t& v) { v = Get(); }
    void operator()(char& v) { v = static_cast<char>(Get()); }

private:
    std::uint8_t Get() {
        if (pos_ >= in_.size())
            throw std::out_of_range("record larger than its file form");
        return in_[pos_++];
    }
    std::span<const std::uint8_t> in_;
    std::size_t pos_ = 0;
};

template <class R, std::size_t N> std::array<std::uint8_t, N> SerializeRecord(const R& record) {
    static_assert(RecordFileSize<R>() == N);
    std::array<std::uint8_t, N> bytes{};
    ByteWriter writer(bytes);
    FieldWalker walker(writer);
    walker(record);
    return bytes;
}

template <class R, std::size_t N> R ParseRecord(std::span<const std::uint8_t, N> bytes) {
    static_assert(RecordFileSize<R>() == N);
    R record{};
    ByteReader reader(bytes);
    FieldWalker walker(reader);
    walker(record);
    return record;
}

} // namespace velmar
