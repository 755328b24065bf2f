// montgomery.cpp: modular exponentiation by Montgomery multiplication on 32-bit digits, product by
// product (Comba): every column of a product and of its reduction is summed in three registers, with no
// store in the inner loop; squares form each cross product once. See montgomery.h.
#include "rsa/montgomery.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "rsa/mpi.h"

namespace {

using Word = std::uint32_t;
constexpr int MAX_WORDS = 128; // 4096 bits

// A three-digit column sum.
struct Column {
    Word c0 = 0, c1 = 0, c2 = 0;

    // += x * y
    inline void add_product(Word x, Word y) {
#if defined(__i386__)
        Word high;
        __asm__("mull %[y]\n\t"
                "addl %%eax, %[c0]\n\t"
                "adcl %%edx, %[c1]\n\t"
                "adcl $0, %[c2]"
                : [c0] "+r"(c0), [c1] "+r"(c1), [c2] "+r"(c2), "+a"(x), "=d"(high)
                : [y] "rm"(y)
                : "cc");
#else
        const std::uint64_t p = std::uint64_t{x} * y;
        const std::uint64_t low = std::uint64_t{c0} + static_cast<Word>(p);
        const std::uint64_t mid = std::uint64_t{c1} + (p >> 32) + (low >> 32);
        c0 = static_cast<Word>(low);
        c1 = static_cast<Word>(mid);
        c2 += static_cast<Word>(mid >> 32);
#endif
    }
    // The low digit out, the sum shifted down one digit.
    inline Word shift() {
        const Word out = c0;
        c0 = c1;
        c1 = c2;
        c2 = 0;
        return out;
    }
};

// sum += x[0] y[0] + x[1] y[-1] + ... + x[count - 1] y[1 - count]: the products of one column.
inline void add_column(Column& sum, const Word* x, const Word* y, int count) {
    if (count <= 0)
        return;
#if defined(__i386__)
    // The whole loop in registers: the sum in ebx, ebp and ecx, x and y in esi and edi, the end of x on
    // the stack; ebp is saved and restored around it, so no operand may be addressed through it or esp.
    struct {
        const Word* x;
        const Word* y;
        const Word* x_end;
        Word c0, c1, c2;
    } args{x, y, x + count, sum.c0, sum.c1, sum.c2};
    auto* block = &args;
    __asm__ volatile("pushl %%ebp\n\t"
                     "pushl %%eax\n\t"
                     "pushl 8(%%eax)\n\t"
                     "movl 0(%%eax), %%esi\n\t"
                     "movl 4(%%eax), %%edi\n\t"
                     "movl 12(%%eax), %%ebx\n\t"
                     "movl 16(%%eax), %%ebp\n\t"
                     "movl 20(%%eax), %%ecx\n"
                     "1:\n\t"
                     "movl (%%esi), %%eax\n\t"
                     "mull (%%edi)\n\t"
                     "addl %%eax, %%ebx\n\t"
                     "adcl %%edx, %%ebp\n\t"
                     "adcl $0, %%ecx\n\t"
                     "addl $4, %%esi\n\t"
                     "subl $4, %%edi\n\t"
                     "cmpl (%%esp), %%esi\n\t"
                     "jb 1b\n\t"
                     "addl $4, %%esp\n\t"
                     "popl %%eax\n\t"
                     "movl %%ebx, 12(%%eax)\n\t"
                     "movl %%ebp, 16(%%eax)\n\t"
                     "movl %%ecx, 20(%%eax)\n\t"
                     "popl %%ebp"
                     : "+a"(block)
                     :
                     : "ebx", "ecx", "edx", "esi", "edi", "memory", "cc");
    sum.c0 = args.c0;
    sum.c1 = args.c1;
    sum.c2 = args.c2;
#else
    for (int j = 0; j < count; ++j)
        sum.add_product(x[j], y[-j]);
#endif
}

struct Modulus {
    const Word* n;
    int words;
    Word n0; // -n^-1 mod 2^32
};

// a -= n where a (words digits plus carry) is at least n
void subtract_modulus(Word* a, Word carry, const Modulus& m) {
    const int words = m.words;
    bool below = carry == 0;
    if (below) {
        below = false;
        for (int i = words - 1; i >= 0; --i) {
            if (a[i] != m.n[i]) {
                below = a[i] < m.n[i];
                break;
            }
        }
    }
    if (below)
        return;
    Word borrow = 0;
    for (int i = 0; i < words; ++i) {
        const std::uint64_t d = std::uint64_t{a[i]} - m.n[i] - borrow;
        a[i] = static_cast<Word>(d);
        borrow = static_cast<Word>(d >> 32) & 1;
    }
}

// The reduction of a product whose columns come from product(k, column): out = product / 2^(32 words)
// mod n, below n.
template <class Product>
void reduce(Word* out, const Modulus& m, Product&& product) {
    const int words = m.words;
    Word q[MAX_WORDS];
    Column sum;
    for (int k = 0; k < words; ++k) {
        product(k, sum);
        add_column(sum, q, m.n + k, k);
        q[k] = sum.c0 * m.n0;
        sum.add_product(q[k], m.n[0]);
        sum.shift(); // zero
    }
    for (int k = words; k < 2 * words - 1; ++k) {
        product(k, sum);
        add_column(sum, q + (k - words + 1), m.n + (words - 1), 2 * words - 1 - k);
        out[k - words] = sum.shift();
    }
    product(2 * words - 1, sum);
    out[words - 1] = sum.shift();
    subtract_modulus(out, sum.c0, m);
}

// out = a * b / 2^(32 words) mod n; out may be a or b.
void mont_mul(Word* out, const Word* a, const Word* b, const Modulus& m) {
    const int words = m.words;
    Word result[MAX_WORDS];
    reduce(result, m, [&](int k, Column& sum) {
        const int first = std::max(0, k - words + 1);
        add_column(sum, a + first, b + (k - first), std::min(k, words - 1) - first + 1);
    });
    std::memcpy(out, result, sizeof(Word) * static_cast<std::size_t>(words));
}

// out = a * a / 2^(32 words) mod n; out may be a.
void mont_square(Word* out, const Word* a, const Modulus& m) {
    const int words = m.words;
    Word result[MAX_WORDS];
    reduce(result, m, [&](int k, Column& sum) {
        // Each cross product a[j] a[k - j] with j < k - j once, doubled, then the square of the middle.
        Column cross;
        const int first = std::max(0, k - words + 1);
        const int last = k - first;
        const int pairs = (last - first + 1) / 2; // j < k - j
        add_column(cross, a + first, a + last, pairs);
        const int j = first + pairs, l = last - pairs;
        const Word c2 = (cross.c2 << 1) | (cross.c1 >> 31);
        const Word c1 = (cross.c1 << 1) | (cross.c0 >> 31);
        const Word c0 = cross.c0 << 1;
        if (j == l)
            cross.c0 = c0, cross.c1 = c1, cross.c2 = c2, cross.add_product(a[j], a[j]);
        else
            cross.c0 = c0, cross.c1 = c1, cross.c2 = c2;
        // sum += cross
        const std::uint64_t low = std::uint64_t{sum.c0} + cross.c0;
        const std::uint64_t mid = std::uint64_t{sum.c1} + cross.c1 + (low >> 32);
        sum.c0 = static_cast<Word>(low);
        sum.c1 = static_cast<Word>(mid);
        sum.c2 += cross.c2 + static_cast<Word>(mid >> 32);
    });
    std::memcpy(out, result, sizeof(Word) * static_cast<std::size_t>(words));
}

// The 32-bit digits of a non-negative mbedTLS number, words of them (zero-filled).
void to_words(Word* out, int words, const mbedtls_mpi* x) {
    std::fill_n(out, words, Word{0});
    constexpr int per_limb = sizeof(mbedtls_mpi_uint) / sizeof(Word);
    for (std::size_t i = 0; i < x->n && static_cast<int>(i) * per_limb < words; ++i)
        for (int h = 0; h < per_limb && static_cast<int>(i) * per_limb + h < words; ++h)
            out[i * per_limb + h] = static_cast<Word>(x->p[i] >> (32 * h));
}

int from_words(mbedtls_mpi* x, const Word* in, int words) {
    constexpr int per_limb = sizeof(mbedtls_mpi_uint) / sizeof(Word);
    int ret = mbedtls_mpi_lset(x, 0);
    if (ret == 0)
        ret = mbedtls_mpi_grow(x, static_cast<std::size_t>((words + per_limb - 1) / per_limb));
    if (ret != 0)
        return ret;
    for (int i = 0; i < words; ++i)
        x->p[i / per_limb] |= static_cast<mbedtls_mpi_uint>(in[i]) << (32 * (i % per_limb));
    return 0;
}

bool bit(const mbedtls_mpi* e, std::size_t i) { return mbedtls_mpi_get_bit(e, i) != 0; }

} // namespace

int montgomery_exp_mod(mbedtls_mpi* Y, const mbedtls_mpi* A, const mbedtls_mpi* E, const mbedtls_mpi* N) {
    const std::size_t n_bits = mbedtls_mpi_bitlen(N);
    const int words = static_cast<int>((n_bits + 31) / 32);
    if (words == 0 || words > MAX_WORDS || mbedtls_mpi_get_bit(N, 0) == 0 || mbedtls_mpi_cmp_int(A, 0) < 0 ||
        mbedtls_mpi_cmp_mpi(A, N) >= 0 || mbedtls_mpi_cmp_int(E, 0) < 0)
        return MBEDTLS_ERR_MPI_BAD_INPUT_DATA;

    Word n[MAX_WORDS];
    to_words(n, words, N);
    Word inverse = n[0]; // n^-1 mod 2^32 by Newton's iteration, 5 correct bits doubling
    for (int i = 0; i < 5; ++i)
        inverse *= 2 - n[0] * inverse;
    const Modulus m{n, words, 0 - inverse};

    // RR = 2^(64 words) mod N, to enter the Montgomery form.
    Mpi RR;
    int ret = mbedtls_mpi_lset(&RR, 1);
    if (ret == 0)
        ret = mbedtls_mpi_shift_l(&RR, static_cast<std::size_t>(64 * words));
    if (ret == 0)
        ret = mbedtls_mpi_mod_mpi(&RR, &RR, N);
    if (ret != 0)
        return ret;
    Word rr[MAX_WORDS], a[MAX_WORDS];
    to_words(rr, words, &RR);
    to_words(a, words, A);

    // Odd powers a^1, a^3, ..., a^(2^WINDOW - 1) in Montgomery form, then a sliding window from the top bit.
    constexpr int WINDOW = 5;
    static_assert(WINDOW <= 8);
    Word powers[1 << (WINDOW - 1)][MAX_WORDS];
    Word square[MAX_WORDS];
    mont_mul(powers[0], a, rr, m);
    mont_square(square, powers[0], m);
    for (int i = 1; i < (1 << (WINDOW - 1)); ++i)
        mont_mul(powers[i], powers[i - 1], square, m);

    Word t[MAX_WORDS];
    // t = 1 in Montgomery form: 2^(32 words) mod N = RR / 2^(32 words)
    Word one[MAX_WORDS] = {1};
    mont_mul(t, rr, one, m);
    std::size_t i = mbedtls_mpi_bitlen(E);
    while (i > 0) {
        if (!bit(E, i - 1)) {
            mont_square(t, t, m);
            --i;
            continue;
        }
        // The longest window of at most WINDOW bits from bit i - 1 down that ends in a one bit.
        const std::size_t low = i >= WINDOW ? i - WINDOW : 0;
        std::size_t end = low;
        while (!bit(E, end))
            ++end;
        unsigned value = 0;
        for (std::size_t b = i; b-- > end;) {
            mont_square(t, t, m);
            value = (value << 1) | (bit(E, b) ? 1u : 0u);
        }
        mont_mul(t, t, powers[value >> 1], m);
        i = end;
    }
    mont_mul(t, t, one, m); // out of the Montgomery form
    return from_words(Y, t, words);
}
