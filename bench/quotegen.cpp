// lumivex-quotegen: writes a deterministic file of synthetic daily quotes
// for the benchmark harness.
//
//   lumivex-quotegen [--wide] LINES SEED > file
//
// Each line looks like  31/12/2005;Acme;12,50;12,80;12,10;12,75;154300  and
// ends with CR LF. With --wide, a settlement date two days after the quote,
// written YYYY-MM-DD, is an eighth column, and one ticker in sixteen carries
// a company form after a blank ("Acme SA"); the other bytes are the same.
// The same arguments always give the same bytes, on any platform and standard
// library: the generator is a hand-written splitmix64 and no <random>
// distribution is used (their output is not portable).

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

class SplitMix64 {
public:
    explicit SplitMix64(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // Value in [0, n). The modulo bias is irrelevant for test data.
    std::uint32_t below(std::uint32_t n) { return static_cast<std::uint32_t>(next() % n); }

private:
    std::uint64_t state_;
};

struct Ticker {
    char name[9];
    int length;
    std::int64_t close; // last close, in cents
};

// Calendar walk shared by all tickers: one line per ticker per day. The
// years stay within 1990-2030 (wrapping around) so the century is always
// written with four digits.
class Calendar {
public:
    Calendar() { render(); }

    const char* text() const { return text_; } // "DD/MM/YYYY"

    // "YYYY-MM-DD"
    void iso(char* out) const
    {
        std::memcpy(out, text_ + 6, 4);
        out[4] = '-';
        std::memcpy(out + 5, text_ + 3, 2);
        out[7] = '-';
        std::memcpy(out + 8, text_, 2);
    }

    void advance()
    {
        if (++day_ > daysInMonth()) {
            day_ = 1;
            if (++month_ > 12) {
                month_ = 1;
                if (++year_ > kLastYear)
                    year_ = kFirstYear;
            }
        }
        render();
    }

private:
    static constexpr int kFirstYear = 1990;
    static constexpr int kLastYear = 2030;

    int daysInMonth() const
    {
        static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        if (month_ == 2 && (year_ % 4 == 0 && (year_ % 100 != 0 || year_ % 400 == 0)))
            return 29;
        return days[month_ - 1];
    }

    void render()
    {
        text_[0] = static_cast<char>('0' + day_ / 10);
        text_[1] = static_cast<char>('0' + day_ % 10);
        text_[2] = '/';
        text_[3] = static_cast<char>('0' + month_ / 10);
        text_[4] = static_cast<char>('0' + month_ % 10);
        text_[5] = '/';
        text_[6] = static_cast<char>('0' + year_ / 1000);
        text_[7] = static_cast<char>('0' + year_ / 100 % 10);
        text_[8] = static_cast<char>('0' + year_ / 10 % 10);
        text_[9] = static_cast<char>('0' + year_ % 10);
        text_[10] = '\0';
    }

    int day_ = 1;
    int month_ = 1;
    int year_ = kFirstYear;
    char text_[11] = {};
};

char* putUnsigned(char* p, std::uint64_t v)
{
    char tmp[20];
    int n = 0;
    do {
        tmp[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    while (n > 0)
        *p++ = tmp[--n];
    return p;
}

// Cents as "12,50": comma decimal, always two decimals.
char* putPrice(char* p, std::int64_t cents)
{
    p = putUnsigned(p, static_cast<std::uint64_t>(cents / 100));
    *p++ = ',';
    *p++ = static_cast<char>('0' + cents / 10 % 10);
    *p++ = static_cast<char>('0' + cents % 10);
    return p;
}

// Prices move by up to about 1% a step and stay within 1,00 .. 999,99.
std::int64_t step(SplitMix64& rng, std::int64_t price)
{
    const std::int64_t span = price / 100 + 1;
    std::int64_t next = price + static_cast<std::int64_t>(rng.below(static_cast<std::uint32_t>(2 * span + 1))) - span;
    if (next < 100)
        next = 200 - next;
    if (next > 99999)
        next = 2 * 99999 - next;
    return next;
}

std::vector<Ticker> makeTickers(SplitMix64& rng, int count)
{
    std::vector<Ticker> tickers(static_cast<std::size_t>(count));
    for (Ticker& t : tickers) {
        t.length = 2 + static_cast<int>(rng.below(4));
        // Mixed case styles so that forcing upper (or lower) case always has
        // something to change across the file: Acme, bnp, KLM, aBcD.
        const std::uint32_t style = rng.below(4);
        for (int i = 0; i < t.length; ++i) {
            const char letter = static_cast<char>('a' + rng.below(26));
            bool upper = false;
            switch (style) {
            case 0: upper = true; break;
            case 1: upper = (i == 0); break;
            case 2: upper = false; break;
            default: upper = rng.below(2) == 0; break;
            }
            t.name[i] = upper ? static_cast<char>(letter - 'a' + 'A') : letter;
        }
        t.name[t.length] = '\0';
        t.close = 500 + rng.below(9500);
    }
    return tickers;
}

bool parseCount(const char* text, std::uint64_t& out)
{
    if (text == nullptr || *text == '\0' || *text == '-')
        return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long long v = std::strtoull(text, &end, 10);
    if (errno != 0 || *end != '\0')
        return false;
    out = v;
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    std::uint64_t lines = 0;
    std::uint64_t seed = 0;
    const bool wide = argc == 4 && std::strcmp(argv[1], "--wide") == 0;
    if (argc != (wide ? 4 : 3) || !parseCount(argv[argc - 2], lines) || !parseCount(argv[argc - 1], seed)) {
        std::fprintf(stderr, "usage: lumivex-quotegen [--wide] LINES SEED > file\n");
        return 2;
    }

#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY); // keep CR LF as written
#endif

    SplitMix64 rng(seed);
    constexpr int kTickers = 64;
    std::vector<Ticker> tickers = makeTickers(rng, kTickers);
    Calendar calendar;
    Calendar settlement; // two days later
    settlement.advance();
    settlement.advance();
    if (wide) {
        // No draw from the generator: the other bytes stay those of the narrow file.
        for (std::size_t i = 5; i < tickers.size(); i += 16) {
            Ticker& t = tickers[i];
            std::memcpy(t.name + t.length, " SA", 4);
            t.length += 3;
        }
    }

    // A line is at most 10+1+8+1+4*7+6+11+2 = 67 bytes; flush with margin.
    constexpr std::size_t kBufferSize = 1 << 20;
    constexpr std::size_t kMaxLine = 128;
    std::vector<char> buffer(kBufferSize);
    char* const begin = buffer.data();
    char* const limit = begin + kBufferSize - kMaxLine;
    char* p = begin;

    int index = 0;
    for (std::uint64_t n = 0; n < lines; ++n) {
        Ticker& t = tickers[static_cast<std::size_t>(index)];

        const std::int64_t open = step(rng, t.close);
        const std::int64_t close = step(rng, open);
        const std::int64_t top = open > close ? open : close;
        const std::int64_t bottom = open < close ? open : close;
        const std::int64_t high = top + rng.below(static_cast<std::uint32_t>(top / 200 + 1));
        std::int64_t low = bottom - rng.below(static_cast<std::uint32_t>(bottom / 200 + 1));
        if (low < 1)
            low = 1;
        t.close = close;
        // Mostly 4 to 6 digits, sometimes fewer.
        const std::uint64_t volume = rng.below(8) == 0 ? rng.below(1000) : 1000 + rng.below(499000);

        std::memcpy(p, calendar.text(), 10);
        p += 10;
        *p++ = ';';
        std::memcpy(p, t.name, static_cast<std::size_t>(t.length));
        p += t.length;
        *p++ = ';';
        p = putPrice(p, open);
        *p++ = ';';
        p = putPrice(p, high);
        *p++ = ';';
        p = putPrice(p, low);
        *p++ = ';';
        p = putPrice(p, close);
        *p++ = ';';
        p = putUnsigned(p, volume);
        if (wide) {
            *p++ = ';';
            settlement.iso(p);
            p += 10;
        }
        *p++ = '\r';
        *p++ = '\n';

        if (++index == kTickers) {
            index = 0;
            calendar.advance();
            settlement.advance();
        }
        if (p >= limit) {
            const std::size_t size = static_cast<std::size_t>(p - begin);
            if (std::fwrite(begin, 1, size, stdout) != size) {
                std::perror("lumivex-quotegen: write");
                return 1;
            }
            p = begin;
        }
    }

    const std::size_t size = static_cast<std::size_t>(p - begin);
    if ((size != 0 && std::fwrite(begin, 1, size, stdout) != size) || std::fflush(stdout) != 0) {
        std::perror("lumivex-quotegen: write");
        return 1;
    }
    return 0;
}
