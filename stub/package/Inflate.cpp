#include "stub/package/Inflate.h"
#include <zlib.h>
#include <vector>

namespace stub {

struct Inflater::State {
    z_stream z{};
    bool initialised = false;
    std::vector<unsigned char> out;
};

EZLibError::EZLibError(int code) : std::runtime_error(ZLibMessage(code)), code_(code) {}

std::string ZLibMessage(int code)
{
    const char* text = zError(code);
    return text ? text : "";
}

Inflater::Inflater(PumpFn pump, std::uint64_t limit) : state_(new State), pump_(pump), limit_(limit)
{
    state_->initialised = inflateInit(&state_->z) == Z_OK;
    if (!state_->initialised)
        status_ = Z_MEM_ERROR;
}

Inflater::~Inflater()
{
    if (state_->initialised)
        inflateEnd(&state_->z);
    delete state_;
}

int Inflater::Feed(const char* in, std::size_t len, ByteSink& sink)
{
    if (status_ != Z_OK)
        return status_;
    if (state_->out.empty())
        state_->out.resize(kOutputPiece);
    z_stream& z = state_->z;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in));
    z.avail_in = static_cast<uInt>(len);  // pieces are far below 4 GiB
    while (status_ == Z_OK && (z.avail_in > 0 || z.avail_out == 0)) {
        z.next_out = state_->out.data();
        z.avail_out = static_cast<uInt>(state_->out.size());
        int rc = inflate(&z, Z_NO_FLUSH);
        const std::size_t made = state_->out.size() - z.avail_out;
        if (rc == Z_BUF_ERROR && made == 0 && z.avail_in == 0)
            rc = Z_OK;  // no more input in this piece: not an error yet
        if (rc == Z_NEED_DICT)
            rc = Z_DATA_ERROR;  // records never use a preset dictionary; retrying would loop
        if (produced_ + made > limit_)
            rc = Z_MEM_ERROR;
        if (rc < 0) {
            status_ = rc;
            break;
        }
        produced_ += made;
        if (made > 0)
            sink.Put(reinterpret_cast<const char*>(state_->out.data()), made);
        if (rc == Z_STREAM_END)
            status_ = Z_STREAM_END;
        if (pump_)
            pump_();
        if (made == 0 && z.avail_in == 0)
            break;
    }
    return status_;
}

int Inflater::Finish() const
{
    return status_ == Z_OK ? Z_BUF_ERROR : status_;
}

namespace {
class StringSink : public ByteSink {
public:
    explicit StringSink(std::string& text) : text_(text) {}
    void Put(const char* data, std::size_t len) override { text_.append(data, len); }

private:
    std::string& text_;
};
} // namespace

std::string InflateText(const std::string& data, PumpFn pump)
{
    std::string text;
    StringSink sink(text);
    Inflater inflater(pump);
    inflater.Feed(data.data(), data.size(), sink);
    const int rc = inflater.Finish();
    if (rc != Z_STREAM_END) {
        text.clear();
        text.shrink_to_fit();
        throw EZLibError(rc);
    }
    return text;
}

} // namespace stub
