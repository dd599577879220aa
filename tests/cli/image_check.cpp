#include "cli/image_check.h"

#include <gtest/gtest.h>

#include "encoder/image_size.h"
#include "support/fixtures.h"

namespace orvane::test {

void ExpectImageOfRecording(const std::string& imagePath, std::size_t audioBytes) {
    const Bytes image = ReadFile(imagePath);
    const auto sectors =
        static_cast<std::size_t>(SectorCount(static_cast<std::int64_t>(audioBytes)));
    ASSERT_EQ(image.size(), sectors * 2448);
    for (std::size_t s = 0; s < sectors; ++s) {
        for (std::size_t i = 0; i < 2352; ++i) {
            if (image[s * 2448 + i] != AudioByte(s * 2352 + i)) {
                FAIL() << "audio differs in sector " << s << " at byte " << i;
            }
        }
    }
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace orvane::test
