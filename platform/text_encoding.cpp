#include "platform/text_encoding.h"

#include <iconv.h>

#include <cerrno>

namespace platform {
namespace {

// One iconv conversion descriptor, closed when it goes out of scope. Each call
// opens its own: a descriptor carries state and must not be shared between
// threads.
class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (IsOpen()) iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool IsOpen() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much of in as it can into out; returns false on an
    // untranslatable or invalid sequence (errno tells which).
    bool Convert(const char*& in, size_t& inLeft, char*& out, size_t& outLeft) {
        return iconv(handle_, const_cast<char**>(&in), &inLeft, &out, &outLeft) != static_cast<size_t>(-1);
    }

private:
    iconv_t handle_;
};

// The bytes of the one character at the front of text that could not be
// converted: its lead byte and the continuation bytes that follow it, up to
// the length the lead byte announces. A stray byte goes alone, so that the
// text after it is kept.
size_t BadCharacterLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text.front());
    size_t length = 1;
    if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
    } else if (lead >= 0xE0) {
        length = 3;
    } else if (lead >= 0xC2) {
        length = 2;
    }
    size_t taken = 1;
    while (taken < length && taken < text.size() && (static_cast<unsigned char>(text[taken]) & 0xC0) == 0x80) ++taken;
    return taken;
}

}  // namespace

std::string Utf8ToGbk(std::string_view utf8) {
    Converter converter("GBK", "UTF-8");
    if (!converter.IsOpen()) return std::string(utf8.size(), '?');

    std::string gbk;
    char buffer[256];
    const char* in = utf8.data();
    size_t inLeft = utf8.size();
    while (inLeft > 0) {
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        const bool complete = converter.Convert(in, inLeft, out, outLeft);
        const int error = errno;
        gbk.append(buffer, out);
        if (complete) break;
        if (error == E2BIG) continue;
        // EILSEQ (no GBK form, or bad UTF-8) or EINVAL (cut short at the end).
        const size_t skip = BadCharacterLength({in, inLeft});
        gbk.push_back('?');
        in += skip;
        inLeft -= skip;
    }
    return gbk;
}

std::optional<std::string> GbkToUtf8(std::string_view gbk) {
    Converter converter("UTF-8", "GBK");
    if (!converter.IsOpen()) return std::nullopt;
    std::string utf8;
    char buffer[256];
    const char* in = gbk.data();
    size_t inLeft = gbk.size();
    while (inLeft > 0) {
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        const bool complete = converter.Convert(in, inLeft, out, outLeft);
        const int error = errno;
        utf8.append(buffer, out);
        if (complete) break;
        if (error != E2BIG) return std::nullopt;
    }
    return utf8;
}

std::optional<char32_t> GbkCodeToUnicode(uint32_t code) {
    if (code < 0x80) return static_cast<char32_t>(code);
    if (code > 0xFFFF) return std::nullopt;
    char bytes[2];
    size_t inLeft = 0;
    if (code > 0xFF) {
        bytes[inLeft++] = static_cast<char>(code >> 8);
    }
    bytes[inLeft++] = static_cast<char>(code & 0xFF);

    Converter converter("UTF-32LE", "GBK");
    if (!converter.IsOpen()) return std::nullopt;
    unsigned char utf32[8] = {};
    const char* in = bytes;
    char* out = reinterpret_cast<char*>(utf32);
    size_t outLeft = sizeof utf32;
    if (!converter.Convert(in, inLeft, out, outLeft) || inLeft != 0 || sizeof utf32 - outLeft != 4) {
        return std::nullopt;
    }
    return static_cast<char32_t>(utf32[0] | utf32[1] << 8 | utf32[2] << 16 | static_cast<uint32_t>(utf32[3]) << 24);
}

}  // namespace platform
