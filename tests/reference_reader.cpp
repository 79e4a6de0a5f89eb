#include "reference_reader.hpp"

#include "exact_reference.hpp"
#include "text_formats/spectrum_table.hpp"

namespace {

// The grammar, character by character, over a whole string in memory.
struct reference_reader {
    const std::string& s;
    std::size_t pos = 0;

    static bool space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
    static bool digit(char c) { return c >= '0' && c <= '9'; }

    bool number(double& out) {
        while (pos < s.size() && space(s[pos])) ++pos;
        if (pos == s.size()) return false;
        bool negative = false;
        if (s[pos] == '+' || s[pos] == '-') negative = s[pos++] == '-';
        std::string text;
        auto next_is = [&](auto pred) { return pos < s.size() && text.size() < 349 && pred(s[pos]); };
        auto take = [&] { text += s[pos++]; };
        bool any = false;
        while (next_is(digit)) take(), any = true;
        if (next_is([](char c) { return c == '.'; })) {
            take();
            while (next_is(digit)) take(), any = true;
        }
        if (!any) return false;
        if (next_is([](char c) { return c == 'e' || c == 'E'; })) {
            take();
            if (next_is([](char c) { return c == '+' || c == '-'; })) take();
            while (next_is(digit)) take();
        }
        const double v = reference_text_to_double(text);
        out = negative ? -v : v;
        return true;
    }

    std::vector<reference_point> table() {
        std::vector<reference_point> out;
        while (out.size() < static_cast<std::size_t>(max_points)) {
            reference_point p{0, 0};
            if (!number(p.frequency)) break;
            if (!number(p.amplitude)) p.amplitude = 0.0;
            out.push_back(p);
        }
        return out;
    }
};

}  // namespace

std::vector<reference_point> reference_read(const std::string& s) { return reference_reader{s}.table(); }
