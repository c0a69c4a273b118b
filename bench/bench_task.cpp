// Writes a random task of a given shape as a table file, for whole-process comparisons of
// kargolo-solve with lemon_solve (bench/compare_with_lemon.sh):
//
//   bench_task OUT.tab M N TARIFF_MAX AMOUNT_MAX balanced|surplus [TIGHTNESS] [SEED]
//
// Tariffs 1..TARIFF_MAX, supplies and demands 1..AMOUNT_MAX; a balanced task raises its
// // demands or supplies to close it, a surplus task adds a tenth to every tenth supply. With
// TIGHTNESS (a percentage above 0) two routes in three are limited to min(a_i, b_j) less up to
// TIGHTNESS per cent (rounded up), the rest unlimited.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string_view>
#include <vector>

namespace {

void Put(std::vector<std::uint8_t>& bytes, std::int64_t value) {
    const auto word = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(word >> shift));
}

// Adds `amount` to the entries in equal parts, the remainder to the last one.
void Spread(std::vector<std::int64_t>& entries, std::int64_t amount) {
    const auto count = static_cast<std::int64_t>(entries.size());
    for (std::int64_t& entry : entries) entry += amount / count;
    entries.back() += amount % count;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 7) {
        std::fprintf(stderr, "usage: bench_task OUT.tab M N TARIFF_MAX AMOUNT_MAX balanced|surplus "
                             "[LIMIT_LOW] [SEED]\n");
        return 1;
    }
    const int m = std::atoi(argv[2]);
    const int n = std::atoi(argv[3]);
    const int tariffMax = std::atoi(argv[4]);
    const int amountMax = std::atoi(argv[5]);
    const bool surplus = std::string_view(argv[6]) == "surplus";
    const int tightness = argc > 7 ? std::atoi(argv[7]) : 0;
    const auto seed = static_cast<std::uint32_t>(argc > 8 ? std::atoll(argv[8]) : 12345);
    if (m < 1 || n < 1 || tariffMax < 1 || amountMax < 1 || tightness < 0 || tightness > 100) return 1;

    std::mt19937 random(seed);
    std::uniform_int_distribution<std::int64_t> amount(1, amountMax);
    std::uniform_int_distribution<std::int64_t> tariff(1, tariffMax);
    std::vector<std::int64_t> supplies(static_cast<std::size_t>(m));
    std::vector<std::int64_t> demands(static_cast<std::size_t>(n));
    std::int64_t balance = 0;
    for (std::int64_t& supply : supplies) balance += supply = amount(random);
    for (std::int64_t& demand : demands) balance -= demand = amount(random);
    // The side that falls short takes the difference in equal parts, so that on a tall or wide
    // task every line of the short side carries about as much as the others together.
    if (balance > 0 && !surplus) Spread(demands, balance);
    if (balance < 0) Spread(supplies, -balance);
    if (surplus) {
        for (std::size_t i = 0; i < supplies.size(); i += 10) supplies[i] += supplies[i] / 10 + 1;
    }

    std::vector<std::uint8_t> bytes;
    Put(bytes, m);
    Put(bytes, n);
    for (const std::int64_t supply : supplies) Put(bytes, supply);
    for (const std::int64_t demand : demands) Put(bytes, demand);
    const std::size_t cells = static_cast<std::size_t>(m) * static_cast<std::size_t>(n);
    for (std::size_t k = 0; k < cells; ++k) Put(bytes, tariff(random));
    if (tightness > 0) {
        std::uniform_int_distribution<int> kind(0, 2);
        std::uniform_int_distribution<std::int64_t> cut(0, tightness);
        std::vector<std::int64_t> limits(cells);
        for (std::size_t k = 0; k < cells; ++k) {
            const std::int64_t route = std::min(supplies[k / static_cast<std::size_t>(n)],
                                                demands[k % static_cast<std::size_t>(n)]);
            if (kind(random) != 0) limits[k] = std::max<std::int64_t>(1, (route * (100 - cut(random)) + 99) / 100);
        }
        for (const std::int64_t value : limits) Put(bytes, value);
        for (const std::int64_t value : limits) Put(bytes, value != 0 ? 1 : 0);
    }
    std::FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr) return 2;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && written ? 0 : 2;
}
