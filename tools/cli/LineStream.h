#pragma once
// An output stream for one box of a gang: it gathers each line and writes it whole,
// behind a prefix that names the box, into a stream the boxes share, so that the
// lines of boxes running at once never mix.
#include <mutex>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>

namespace quarvin::cli {

class LineStreamBuf : public std::streambuf {
public:
    LineStreamBuf(std::ostream& target, std::mutex& lock, std::string prefix)
        : target_(target), lock_(lock), prefix_(std::move(prefix)) {}
    ~LineStreamBuf() override { flushLine(); }

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        line_ += traits_type::to_char_type(c);
        if (c == '\n') flushLine();
        return c;
    }
    // A bar redrawn with '\r' has no place here; the text before it is kept.
    int sync() override { return 0; }

private:
    void flushLine() {
        if (line_.empty()) return;
        const std::lock_guard<std::mutex> hold(lock_);
        target_ << prefix_ << line_ << std::flush;
        line_.clear();
    }
    std::ostream& target_;
    std::mutex& lock_;
    std::string prefix_;
    std::string line_;
};

class LineStream : public std::ostream {
public:
    LineStream(std::ostream& target, std::mutex& lock, std::string prefix)
        : std::ostream(nullptr), buf_(target, lock, std::move(prefix)) {
        rdbuf(&buf_);
    }

private:
    LineStreamBuf buf_;
};

} // namespace quarvin::cli
