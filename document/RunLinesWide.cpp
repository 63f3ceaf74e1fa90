#include "document/RunLinesWide.h"

#include "document/ColumnSums.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>

// Only functions of this file's own are built for AVX2: an inline function of a header compiled
// here could otherwise be the copy the whole program links, and run on a processor without it.
#define WIDE_TARGET __attribute__((target("avx2,bmi,bmi2,popcnt")))

namespace {
// Line ends listed ahead at most (64 more may be written past: all of one block's).
constexpr std::size_t kListedEnds = 256;
// Bytes looked at for line ends before the lines found are checked: few at first, as the run may
// end soon after all, twice as many each round up to the most. More would leave the memory idle
// while a round's lines are checked, where the bytes are read from memory rather than cache.
constexpr std::size_t kFirstListing = 512;
constexpr std::size_t kMostListing = 2048;
// Groups of four lines whose digits a byte column of four lanes holds (2 x 10 x 9 < 256).
constexpr int kGroupsPerSpill = 10;
// Offsets are kept in 32 bits: a longer stretch is taken in turns.
constexpr std::size_t kLongestStretch = std::size_t{1} << 30;
// Spills of byte columns into 16-bit columns before these could overflow (256 x 180 < 65536).
constexpr int kSpillsPerFlush = 256;

// The 16-bit column sums of four lanes: connect time and charge of one line, then of another.
void AddLaneSums(const std::uint64_t (&even)[4], const std::uint64_t (&odd)[4], ChargeRun& run)
{
    for (int lane = 0; lane < 4; lane += 2) {
        run.seconds += ColumnSums{even[lane], odd[lane]}.Value(kTimeColumnWeights);
        run.yen += ColumnSums{even[lane + 1], odd[lane + 1]}.Value(kChargeColumnWeights);
    }
}

// What four lines are checked against: a lane of each two holds a connect time (the low one)
// and a lane a charge, as the 16 bytes from column 22 hold them with column 30 left out.
struct Shapes {
    __m256i blank, blankToZero, keepDigits, separatorZero, comma, commaSpread, shiftDown, shiftedZero, one,
        nine, zero, low;
};

WIDE_TARGET Shapes MakeShapes()
{
    Shapes s;
    // Blanks before a charge's digits; in a connect time the same marks find NUL, as refused as a blank.
    s.blank = _mm256_set_epi64x(0x2020202020202020ll, 0, 0x2020202020202020ll, 0);
    s.blankToZero = _mm256_set1_epi8(0x10);
    s.keepDigits = _mm256_set_epi64x(-1, 0xFFFF00FFFF00FFFFll, -1, 0xFFFF00FFFF00FFFFll);
    s.separatorZero = _mm256_set_epi64x(0, 0x0000300000300000ll, 0, 0x0000300000300000ll); // HH:MM:SS read as digits
    s.comma = _mm256_set1_epi8(',');
    // A comma at the charge's fifth byte spread over its first five, whose digits then move down one.
    s.commaSpread = _mm256_setr_epi8(-128, -128, -128, -128, -128, -128, -128, -128, 12, 12, 12, 12, 12, -128, -128, -128,
                                     -128, -128, -128, -128, -128, -128, -128, -128, 12, 12, 12, 12, 12, -128, -128, -128);
    s.shiftDown = _mm256_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, -128, 8, 9, 10, 11, 13, 14, 15,
                                   0, 1, 2, 3, 4, 5, 6, 7, -128, 8, 9, 10, 11, 13, 14, 15);
    s.shiftedZero = _mm256_setr_epi8(0, 0, 0, 0, 0, 0, 0, 0, '0', 0, 0, 0, 0, 0, 0, 0,
                                     0, 0, 0, 0, 0, 0, 0, 0, '0', 0, 0, 0, 0, 0, 0, 0);
    s.one = _mm256_set1_epi64x(1);
    s.nine = _mm256_set1_epi8('9');
    s.zero = _mm256_set1_epi8('0');
    s.low = _mm256_set1_epi8(0x0F);
    return s;
}

// Connect time and charge of a line: the 16 bytes from column 22, the last 8 taken from column 23.
WIDE_TARGET inline __m128i FieldsOf(const char* line)
{
    return _mm_blend_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(line + 22)),
                           _mm_loadu_si128(reinterpret_cast<const __m128i*>(line + 23)), 0xF0);
}

// Adds the 16-bit columns to run and clears them.
WIDE_TARGET void FlushColumns(__m256i& even, __m256i& odd, ChargeRun& run)
{
    alignas(32) std::uint64_t evenLanes[4], oddLanes[4];
    _mm256_store_si256(reinterpret_cast<__m256i*>(evenLanes), even);
    _mm256_store_si256(reinterpret_cast<__m256i*>(oddLanes), odd);
    AddLaneSums(evenLanes, oddLanes, run);
    even = odd = _mm256_setzero_si256();
}

// Bit k set for a line feed at byte k of the 32.
WIDE_TARGET inline std::uint64_t LineFeedsIn(const __m256i* bytes, __m256i lineFeed)
{
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(_mm256_loadu_si256(bytes), lineFeed)));
}

// The fields of two lines as eight digit bytes each, as CommonFieldDigits reads them; bad gets
// bits set for a line it would refuse.
WIDE_TARGET inline __m256i DigitsOfTwo(const char* first, const char* second, const Shapes& s, __m256i& bad)
{
    __m256i v = _mm256_inserti128_si256(_mm256_castsi128_si256(FieldsOf(first)), FieldsOf(second), 1);
    // Blanks only before a charge's digits: their mask, read as a number, is one less than a power of 2.
    const __m256i blanks = _mm256_cmpeq_epi8(v, s.blank);
    bad = _mm256_or_si256(bad, _mm256_and_si256(_mm256_add_epi64(blanks, s.one), blanks));
    v = _mm256_or_si256(v, _mm256_and_si256(blanks, s.blankToZero));
    v = _mm256_or_si256(_mm256_and_si256(v, s.keepDigits), s.separatorZero);
    const __m256i comma = _mm256_shuffle_epi8(_mm256_cmpeq_epi8(v, s.comma), s.commaSpread);
    v = _mm256_blendv_epi8(v, _mm256_or_si256(_mm256_shuffle_epi8(v, s.shiftDown), s.shiftedZero), comma);
    bad = _mm256_or_si256(bad, _mm256_or_si256(_mm256_cmpgt_epi8(v, s.nine), _mm256_cmpgt_epi8(s.zero, v)));
    return v;
}

// Adds the byte columns to the 16-bit ones, and those to run before they could overflow.
WIDE_TARGET inline void SpillColumns(__m256i& columns, __m256i& even, __m256i& odd, int& spills, ChargeRun& run)
{
    const __m256i byteColumns = _mm256_set1_epi16(0x00FF);
    even = _mm256_add_epi16(even, _mm256_and_si256(columns, byteColumns));
    odd = _mm256_add_epi16(odd, _mm256_and_si256(_mm256_srli_epi16(columns, 8), byteColumns));
    columns = _mm256_setzero_si256();
    if (++spills == kSpillsPerFlush) {
        FlushColumns(even, odd, run);
        spills = 0;
    }
}

template <bool counts>
WIDE_TARGET std::size_t TakeWide(const char* data, std::size_t size, std::uint64_t runKey, ChargeRun& run)
{
    Shapes s = MakeShapes();
    // Kept in memory, where an operand reads them for nothing: there are too few registers to
    // hold them all, and the compiler would otherwise build some anew for every four lines.
    asm("" : "+m"(s));
    const __m256i lineFeed = _mm256_set1_epi8('\n');
    // Of the first line not yet taken, then of the line after each line end listed: the starts
    // of four lines and their ends are two loads.
    std::uint32_t starts[1 + kListedEnds + 64];
    starts[0] = 0;
    std::size_t listed = 0;
    std::size_t listing = kFirstListing;
    std::size_t block = 0;            // the next 64 bytes to look at for line ends
    const std::size_t blocksEnd = size / 64 * 64;
    __m256i columns = _mm256_setzero_si256(), even = columns, odd = columns; // byte and 16-bit columns
    int groups = 0;
    int spills = 0;
    Figure count = 0;
    for (;;) {
        // Every line end of the blocks is listed, with no branch on how many there are unless
        // more than two (a line too short for a run's, which the checks below refuse).
        for (const std::size_t until = std::min(blocksEnd, block + listing); block < until && listed < kListedEnds; block += 64) {
            const auto* bytes = reinterpret_cast<const __m256i*>(data + block);
            std::uint64_t feeds = LineFeedsIn(bytes, lineFeed) | LineFeedsIn(bytes + 1, lineFeed) << 32;
            const auto next = static_cast<std::uint32_t>(block + 1);
            const auto found = static_cast<std::size_t>(_mm_popcnt_u64(feeds));
            // Two written whether or not there are: only those found are counted.
            starts[listed + 1] = next + static_cast<std::uint32_t>(_tzcnt_u64(feeds));
            feeds = _blsr_u64(feeds);
            starts[listed + 2] = next + static_cast<std::uint32_t>(_tzcnt_u64(feeds));
            if (found > 2) [[unlikely]] {
                for (std::size_t k = 2; k < found; ++k) {
                    feeds = _blsr_u64(feeds);
                    starts[listed + 1 + k] = next + static_cast<std::uint32_t>(_tzcnt_u64(feeds));
                }
            }
            listed += found;
        }
        if (listed < 4)
            break;
        std::size_t taken = 0;
        for (; taken + 4 <= listed; taken += 4) {
            const std::uint32_t* at = starts + taken;
            if (at[3] + 39 > size) // the fields of a short last line could lie past the end
                break;
            // Text lengths less 40, each within [0, 24).
            const __m128i begins = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
            const __m128i ends = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 1));
            const __m128i beyond = _mm_sub_epi32(ends, _mm_add_epi32(begins, _mm_set1_epi32(41)));
            const __m128i badLength = _mm_or_si128(_mm_andnot_si128(_mm_set1_epi32(31), _mm_add_epi32(beyond, _mm_set1_epi32(8))),
                                                   _mm_andnot_si128(_mm_set1_epi32(63), beyond));
            const char* line0 = data + at[0];
            const char* line1 = data + at[1];
            const char* line2 = data + at[2];
            const char* line3 = data + at[3];
            // Dates compared in general registers, which the vectors leave idle.
            const std::uint64_t otherDates = (charge_fields::EightBytes(line0) ^ runKey) | (charge_fields::EightBytes(line1) ^ runKey)
                                             | (charge_fields::EightBytes(line2) ^ runKey) | (charge_fields::EightBytes(line3) ^ runKey);
            __m256i bad = _mm256_cvtepi32_epi64(badLength);
            if constexpr (counts) {
                const __m256i digits01 = DigitsOfTwo(line0, line1, s, bad);
                const __m256i digits23 = DigitsOfTwo(line2, line3, s, bad);
                if (!_mm256_testz_si256(bad, bad) || otherDates != 0)
                    break;
                if (++groups > kGroupsPerSpill) {
                    SpillColumns(columns, even, odd, spills, run);
                    groups = 1;
                }
                columns = _mm256_add_epi64(columns, _mm256_and_si256(digits01, s.low));
                columns = _mm256_add_epi64(columns, _mm256_and_si256(digits23, s.low));
            } else if (!_mm256_testz_si256(bad, bad) || otherDates != 0) {
                break;
            }
        }
        count += static_cast<Figure>(taken);
        std::memmove(starts, starts + taken, (listed - taken + 1) * sizeof starts[0]);
        listed -= taken;
        if (listed >= 4) // stopped before four that are not all the run's
            break;
        listing = std::min(2 * listing, kMostListing);
    }
    if constexpr (counts) {
        SpillColumns(columns, even, odd, spills, run);
        FlushColumns(even, odd, run);
    }
    run.count += count;
    return starts[0];
}
} // namespace

bool RunLinesWideAvailable()
{
    static const bool available =
        __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi") && __builtin_cpu_supports("bmi2")
        && __builtin_cpu_supports("popcnt");
    return available;
}

std::size_t TakeRunLinesWide(const char* data, std::size_t size, std::uint64_t runKey, bool counts, ChargeRun& run)
{
    if (!RunLinesWideAvailable())
        return 0;
    const std::size_t stretch = size < kLongestStretch ? size : kLongestStretch;
    return counts ? TakeWide<true>(data, stretch, runKey, run) : TakeWide<false>(data, stretch, runKey, run);
}

#undef WIDE_TARGET
#else
bool RunLinesWideAvailable()
{
    return false;
}

std::size_t TakeRunLinesWide(const char*, std::size_t, std::uint64_t, bool, ChargeRun&)
{
    return 0;
}
#endif
