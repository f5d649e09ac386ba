// Any bytes, in any pieces: the decoder never crashes, keeps its bounds, and
// decodes the same reply the same way however it was cut.

#include "logfeed/httpresponse.h"
#include "logfeed/logtail.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using corvane::HttpResponseDecoder;

namespace {

void check(bool condition) {
    if (!condition) __builtin_trap();
}

void feedInPieces(HttpResponseDecoder& d, std::string_view reply, const std::uint8_t* cuts,
                  std::size_t cutCount) {
    for (std::size_t k = 0; !reply.empty(); ++k) {
        const std::size_t size = cutCount ? 1 + cuts[k % cutCount] % 64 : reply.size();
        const std::size_t n = size < reply.size() ? size : reply.size();
        d.feed(reply.substr(0, n));
        reply.remove_prefix(n);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first bytes choose the piece sizes, the rest is the reply.
    const std::size_t cutCount = size > 0 ? data[0] % 8 : 0;
    if (size < 1 + cutCount) return 0;
    const std::uint8_t* cuts = data + 1;
    const std::string_view reply(reinterpret_cast<const char*>(data + 1 + cutCount),
                                 size - 1 - cutCount);

    HttpResponseDecoder whole;
    whole.feed(reply);
    HttpResponseDecoder pieces;
    feedInPieces(pieces, reply, cuts, cutCount);

    for (HttpResponseDecoder* d : {&whole, &pieces}) {
        check(d->head().size() <= HttpResponseDecoder::kMaxHead);
        check(d->body().size() <=
              HttpResponseDecoder::kMaxBody + HttpResponseDecoder::kMaxBody / 4);
        check(!(d->complete() && d->failed()));
        check(!d->statusKnown() || (d->statusCode() >= 200 && d->statusCode() <= 999));
    }
    check(whole.complete() == pieces.complete());
    check(whole.failed() == pieces.failed());
    check(whole.headerless() == pieces.headerless());
    check(whole.statusLine() == pieces.statusLine());
    check(whole.headers() == pieces.headers());
    check(whole.body() == pieces.body());

    whole.finish();
    pieces.finish();
    check(whole.complete() == pieces.complete());
    check(whole.body() == pieces.body());
    check(whole.body().size() <= HttpResponseDecoder::kMaxBody);

    // What the fetcher does with a finished body.
    const bool fragment = corvane::bodyStartsMidLine(whole.header("Content-Range"),
                                                     whole.body().size(), whole.bodyBytesDropped());
    const auto lines = corvane::completeLines(whole.body(), fragment);
    const auto fresh = corvane::takeNewLines(lines, lines.empty() ? "" : lines.front());
    check(fresh.lines.size() <= corvane::kMaxNewLines);
    return 0;
}
