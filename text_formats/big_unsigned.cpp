#include "text_formats/big_unsigned.hpp"

big_unsigned big_from_u64(std::uint64_t value) {
    big_unsigned a;
    a.size = 0;
    a.overflow = false;
    while (value != 0) {
        a.limbs[a.size++] = static_cast<std::uint32_t>(value);
        value >>= 32;
    }
    return a;
}

namespace {

void push_carry(big_unsigned& a, std::uint64_t carry) {
    while (carry != 0) {
        if (a.size == big_unsigned::capacity) {
            a.overflow = true;
            return;
        }
        a.limbs[a.size++] = static_cast<std::uint32_t>(carry);
        carry >>= 32;
    }
}

}  // namespace

void big_multiply_small(big_unsigned& a, std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (int i = 0; i < a.size; ++i) {
        const std::uint64_t product = std::uint64_t{a.limbs[i]} * factor + carry;
        a.limbs[i] = static_cast<std::uint32_t>(product);
        carry = product >> 32;
    }
    push_carry(a, carry);
}

void big_add_small(big_unsigned& a, std::uint32_t addend) {
    std::uint64_t carry = addend;
    for (int i = 0; i < a.size && carry != 0; ++i) {
        const std::uint64_t sum = std::uint64_t{a.limbs[i]} + carry;
        a.limbs[i] = static_cast<std::uint32_t>(sum);
        carry = sum >> 32;
    }
    push_carry(a, carry);
}

void big_multiply_pow5(big_unsigned& a, int exponent) {
    constexpr std::uint32_t pow5_13 = 1220703125;  // largest power of 5 in 32 bits
    for (; exponent >= 13; exponent -= 13) big_multiply_small(a, pow5_13);
    std::uint32_t rest = 1;
    for (; exponent > 0; --exponent) rest *= 5;
    big_multiply_small(a, rest);
}

void big_shift_left(big_unsigned& a, int bits) {
    if (a.size == 0 || bits <= 0) return;
    const int whole = bits / 32;
    const int part = bits % 32;
    const int new_size = a.size + whole + 1;
    if (new_size > big_unsigned::capacity) {
        a.overflow = true;
        return;
    }
    a.limbs[new_size - 1] = 0;
    for (int i = a.size - 1; i >= 0; --i) {
        const std::uint64_t v = std::uint64_t{a.limbs[i]} << part;
        a.limbs[i + whole + 1] |= static_cast<std::uint32_t>(v >> 32);
        a.limbs[i + whole] = static_cast<std::uint32_t>(v);
    }
    for (int i = 0; i < whole; ++i) a.limbs[i] = 0;
    a.size = new_size;
    while (a.size > 0 && a.limbs[a.size - 1] == 0) --a.size;
}

int big_compare(const big_unsigned& a, const big_unsigned& b) {
    if (a.size != b.size) return a.size < b.size ? -1 : 1;
    for (int i = a.size - 1; i >= 0; --i) {
        if (a.limbs[i] != b.limbs[i]) return a.limbs[i] < b.limbs[i] ? -1 : 1;
    }
    return 0;
}
