// `analyse` over standard input through the typed records and the ordered
// batch, for measuring time and peak memory on large inputs (not run by CI):
//   tlcalc_analyse_stream [--text] [--threads T] < chains.txt > records.jsonl
#include "cli/AnalyseRecordWriter.h"
#include "cli/OrderedBatch.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

// Lines of standard input without their line ends ("\n" or "\r\n").
class StandardInputLines
{
public:
    bool operator()(std::string &line)
    {
        const std::size_t start = line.size();
        bool any = false;
        for (;;) {
            if (next_ == end_) {
                end_ = std::fread(buffer_.data(), 1, buffer_.size(), stdin);
                next_ = 0;
                if (end_ == 0)
                    return any;
            }
            any = true;
            const char *from = buffer_.data() + next_;
            const auto *lineEnd = static_cast<const char *>(std::memchr(from, '\n', end_ - next_));
            if (lineEnd == nullptr) {
                line.append(from, end_ - next_);
                next_ = end_;
                continue;
            }
            line.append(from, std::size_t(lineEnd - from));
            next_ = std::size_t(lineEnd - buffer_.data()) + 1;
            if (line.size() > start && line.back() == '\r')
                line.pop_back();
            return true;
        }
    }

private:
    std::vector<char> buffer_ = std::vector<char>(64 * 1024);
    std::size_t next_ = 0;
    std::size_t end_ = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    BatchOptions options;
    options.threads = int(std::max(1u, std::thread::hardware_concurrency()));
    auto format = AnalyseLineWorker::Format::Json;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--text") == 0)
            format = AnalyseLineWorker::Format::Report;
        else if (std::strcmp(argv[i], "--threads") == 0 && i + 1 < argc)
            options.threads = std::max(1, std::atoi(argv[++i]));
    }
    StandardInputLines lines;
    const bool ok = runOrderedBatch(
        options, std::ref(lines), [format] { return std::make_unique<AnalyseLineWorker>(format); },
        [](std::string_view out, std::string_view err) {
            if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size())
                return false;
            std::fwrite(err.data(), 1, err.size(), stderr);
            return true;
        });
    return ok && std::fflush(stdout) == 0 ? 0 : 1;
}
