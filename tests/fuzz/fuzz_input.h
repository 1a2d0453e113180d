// What the fuzz targets share: reading one input in pieces, and failing loudly
// with the name of the broken rule so that the saved input tells what went wrong.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

// Aborts with `rule` when `holds` is false; libFuzzer saves the input as a crash.
inline void fuzzCheck(bool holds, const char* rule) {
    if (holds) return;
    std::fprintf(stderr, "fuzz check failed: %s\n", rule);
    std::abort();
}

// Takes an input apart from the front. A piece asked for beyond the end is short
// or zero, so every input, however short, drives a whole run.
class InputReader {
public:
    InputReader(const std::uint8_t* data, std::size_t size)
        : rest_(reinterpret_cast<const char*>(data), size) {}

    std::uint8_t byte() {
        if (rest_.empty()) return 0;
        const auto b = static_cast<std::uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return b;
    }
    std::string_view bytes(std::size_t count) {
        const std::string_view piece = rest_.substr(0, count);
        rest_.remove_prefix(piece.size());
        return piece;
    }
    std::string_view rest() const { return rest_; }

private:
    std::string_view rest_;
};
