#include "disc/cd_text.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace orvane {
namespace {

// Bytes of the UTF-8 sequence starting with `lead`, 0 when it cannot start
// one.
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// The code point at text[at] and its length; length 0 when invalid.
std::pair<std::uint32_t, std::size_t> CodePointAt(const std::string& text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = SequenceLength(lead);
    if (length <= 1 || at + length > text.size()) return {lead, length == 1 ? 1 : 0};
    std::uint32_t cp = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80) return {lead, 0};
        cp = (cp << 6) | (next & 0x3F);
    }
    // Overlong forms and surrogates are not letters.
    static constexpr std::uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kLeast[length] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) return {lead, 0};
    return {cp, length};
}

std::string Latin1For(std::uint32_t cp, bool& replaced) {
    if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0)) return " ";
    if (cp <= 0xFF) return std::string(1, static_cast<char>(cp));
    switch (cp) {
        case 0x2018:
        case 0x2019:
            return "'";
        case 0x201C:
        case 0x201D:
            return "\"";
        case 0x2013:
        case 0x2014:
            return "-";
        case 0x2026:
            return "...";
        default:
            replaced = true;
            return "?";
    }
}

std::size_t FieldBytes(const std::vector<TrackNames>& fields, std::string TrackNames::*field) {
    std::size_t bytes = 0;
    for (const TrackNames& f : fields) bytes += (f.*field).size() + 1;
    return bytes;
}

std::vector<TrackNames> CutTo(std::vector<TrackNames> fields, std::size_t chars) {
    for (TrackNames& f : fields) {
        if (f.title.size() > chars) f.title.resize(chars);
        if (f.performer.size() > chars) f.performer.resize(chars);
    }
    return fields;
}

}  // namespace

std::string CdTextLatin1(const std::string& utf8, bool* replaced) {
    std::string out;
    bool lost = false;
    for (std::size_t at = 0; at < utf8.size();) {
        const auto [cp, length] = CodePointAt(utf8, at);
        lost = lost || length == 0;
        out += length == 0 ? std::string("?") : Latin1For(cp, lost);
        at += length == 0 ? 1 : length;
    }
    if (replaced != nullptr) *replaced = lost;
    return out;
}

std::size_t CdTextPackCount(const std::vector<TrackNames>& fields) {
    return (FieldBytes(fields, &TrackNames::title) + 11) / 12 +
           (FieldBytes(fields, &TrackNames::performer) + 11) / 12;
}

CdTextFit FitCdText(const TrackNames& album, const std::vector<TrackNames>& tracks) {
    CdTextFit fit;
    std::vector<TrackNames> all{album};
    all.insert(all.end(), tracks.begin(), tracks.end());
    for (const TrackNames& names : all) {
        bool performerLost = false, titleLost = false;
        fit.fields.push_back(
            {CdTextLatin1(names.performer, &performerLost), CdTextLatin1(names.title, &titleLost)});
        fit.replaced += performerLost + titleLost;
    }
    std::size_t longest = 0;
    for (const TrackNames& f : fit.fields) {
        longest = std::max({longest, f.title.size(), f.performer.size()});
    }
    std::size_t chars = std::min(longest, kCdTextFieldChars);
    while (chars > 0 && CdTextPackCount(CutTo(fit.fields, chars)) > kCdTextPacks) --chars;
    for (const TrackNames& f : fit.fields) {
        fit.shortened += (f.title.size() > chars) + (f.performer.size() > chars);
    }
    fit.fields = CutTo(std::move(fit.fields), chars);
    return fit;
}

std::string CdTextQuoted(const std::string& latin1) {
    std::string out = "\"";
    for (const char c : latin1) {
        const auto byte = static_cast<unsigned char>(c);
        std::string piece(1, c);
        if (c == '"') {
            piece = "\\\"";
        } else if (c == '\\' || byte < 0x20 || byte >= 0x7F) {
            char octal[8];
            std::snprintf(octal, sizeof octal, "\\%03o", byte);
            piece = octal;
        }
        if (out.size() + piece.size() + 1 > kCdTextQuotedBytes) break;
        out += piece;
    }
    return out + "\"";
}

}  // namespace orvane
