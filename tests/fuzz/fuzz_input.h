#pragma once

// Reads a fuzzer's bytes as a stream of small decisions and texts. Running out of bytes is
// never an error: every read then gives zero or an empty text.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kw::fuzz {

class FuzzInput {
public:
    explicit FuzzInput(std::string_view bytes) : bytes_(bytes) {}

    bool empty() const { return pos_ >= bytes_.size(); }

    std::uint8_t byte() { return empty() ? 0 : static_cast<std::uint8_t>(bytes_[pos_++]); }

    // The bytes up to the next `end` byte (which is consumed), or up to the end of the input.
    std::string textUntil(char end) {
        const std::size_t stop = bytes_.find(end, pos_);
        const std::size_t last = stop == std::string_view::npos ? bytes_.size() : stop;
        const std::size_t first = std::min(pos_, last);
        std::string text(bytes_.substr(first, last - first));
        pos_ = stop == std::string_view::npos ? bytes_.size() : stop + 1;
        return text;
    }

    std::string rest() {
        std::string text(bytes_.substr(std::min(pos_, bytes_.size())));
        pos_ = bytes_.size();
        return text;
    }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

}  // namespace kw::fuzz
